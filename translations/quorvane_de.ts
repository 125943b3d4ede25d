<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ShowdownPanel</name>
    <message>
        <source>Opponents:</source>
        <translation>Gegner:</translation>
    </message>
    <message>
        <source>Win:</source>
        <translation>Sieg:</translation>
    </message>
    <message>
        <source>Tie:</source>
        <translation>Split:</translation>
    </message>
    <message>
        <source>Equity:</source>
        <translation>Equity:</translation>
    </message>
    <message>
        <source>Precision:</source>
        <translation>Genauigkeit:</translation>
    </message>
    <message>
        <source>By the River</source>
        <translation>Bis zum River</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Hand</translation>
    </message>
    <message>
        <source>%Odds</source>
        <translation>Chance</translation>
    </message>
    <message>
        <source>exact</source>
        <translation>exakt</translation>
    </message>
    <message>
        <source>Strength:</source>
        <translation>Stärke:</translation>
    </message>
    <message>
        <source>Potential:</source>
        <translation>Potenzial:</translation>
    </message>
    <message>
        <source>Negative potential:</source>
        <translation>Negatives Potenzial:</translation>
    </message>
    <message>
        <source>Effective:</source>
        <translation>Effektiv:</translation>
    </message>
    <message>
        <source>Clean outs:</source>
        <translation>Saubere Outs:</translation>
    </message>
    <message>
        <source>Showdown Advice</source>
        <translation>Showdown-Empfehlung</translation>
    </message>
    <message>
        <source>Wager</source>
        <translation>Einsatz</translation>
    </message>
    <message>
        <source>Needs</source>
        <translation>Nötig</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>No hand of the range is left</source>
        <translation>Keine Hand der Range ist übrig</translation>
    </message>
</context>
<context>
    <name>URLLink</name>
    <message>
        <source>The address is not valid</source>
        <translation>Die Adresse ist ungültig</translation>
    </message>
    <message>
        <source>Visit our web site</source>
        <translation>Besuchen Sie unsere Website</translation>
    </message>
    <message>
        <source>Unable to load &apos;%1&apos; : %2 (Error %3)</source>
        <translation>&apos;%1&apos; kann nicht geladen werden: %2 (Fehler %3)</translation>
    </message>
</context>
<context>
    <name>advice</name>
    <message>
        <source>Please Download the latest version.<byte value="xd"/>
<byte value="xd"/>
Click on &apos;Help|Online Help|Download Latest Version/Statistics&apos; to Navigate to the Download Page.</source>
        <translation>Bitte laden Sie die neueste Version herunter.<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf &apos;Hilfe|Online-Hilfe|Neueste Version herunterladen&apos;, um zur Download-Seite zu gelangen.</translation>
    </message>
    <message>
        <source>Invalid Statistics File!<byte value="xd"/>
</source>
        <translation>Ungültige Statistikdatei!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Statistics File Invalid</source>
        <translation>Statistikdatei ungültig</translation>
    </message>
    <message>
        <source>Error Loading Statistics File!<byte value="xd"/>
</source>
        <translation>Fehler beim Laden der Statistikdatei!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>file too large</source>
        <translation>Datei zu groß</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Better</source>
        <translation>Besser</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>Gut</translation>
    </message>
    <message>
        <source>Marginal</source>
        <translation>Mäßig</translation>
    </message>
    <message>
        <source>Bad</source>
        <translation>Schlecht</translation>
    </message>
    <message>
        <source>Worse</source>
        <translation>Schlechter</translation>
    </message>
    <message>
        <source>Fold</source>
        <translation>Passen</translation>
    </message>
    <message>
        <source>Unknown Combination</source>
        <translation>Unbekannte Kombination</translation>
    </message>
    <message>
        <source>Settings: %1/%2, Max %3 Raises</source>
        <translation>Limits: %1/%2, max. %3 Erhöhungen</translation>
    </message>
</context>
<context>
    <name>cardnotation</name>
    <message>
        <source>is not a card</source>
        <translation>ist keine Karte</translation>
    </message>
    <message>
        <source>is already chosen</source>
        <translation>ist schon gewählt</translation>
    </message>
    <message>
        <source>is typed twice</source>
        <translation>ist doppelt eingegeben</translation>
    </message>
</context>
<context>
    <name>err</name>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>No application is associated with this address</source>
        <translation>Dieser Adresse ist keine Anwendung zugeordnet</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Dateiname oder -nummer falsch</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Bad file mode</source>
        <translation>Dateimodus falsch</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Ein-/Ausgabefehler des Geräts</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>St.Fl/4 of Kind</source>
        <translation>St.Fl./Vierling</translation>
    </message>
    <message>
        <source>Full House</source>
        <translation>Full House</translation>
    </message>
    <message>
        <source>Flush</source>
        <translation>Flush</translation>
    </message>
    <message>
        <source>Straight</source>
        <translation>Straße</translation>
    </message>
    <message>
        <source>3 of a Kind</source>
        <translation>Drilling</translation>
    </message>
    <message>
        <source>2 Pair</source>
        <translation>Zwei Paare</translation>
    </message>
    <message>
        <source>1 Pair</source>
        <translation>Ein Paar</translation>
    </message>
    <message>
        <source>4K</source>
        <translation>V</translation>
    </message>
    <message>
        <source>FH</source>
        <translation>FH</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>3K</source>
        <translation>D</translation>
    </message>
    <message>
        <source>2P</source>
        <translation>2P</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>light blue</source>
        <translation>hellblau</translation>
    </message>
    <message>
        <source>green</source>
        <translation>grün</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>gelb</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rot</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>King</source>
        <translation>König</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2-%1</translation>
    </message>
    <message>
        <source>makes a %1 or a %2</source>
        <translation>ergibt %1 oder %2</translation>
    </message>
    <message>
        <source>makes a %1</source>
        <translation>ergibt %1</translation>
    </message>
    <message>
        <source>chosen</source>
        <translation>gewählt</translation>
    </message>
    <message>
        <source>seen</source>
        <translation>gesehen</translation>
    </message>
    <message>
        <source>no better hand</source>
        <translation>keine bessere Hand</translation>
    </message>
    <message>
        <source>Preflop Cards</source>
        <translation>Preflop-Karten</translation>
    </message>
    <message>
        <source>Pre-Flop Info:</source>
        <translation>Preflop-Info:</translation>
    </message>
    <message>
        <source>Settings: $X/$Y, Max Z Raises</source>
        <translation>Limits: $X/$Y, max. Z Erhöhungen</translation>
    </message>
    <message>
        <source>Est Pot:</source>
        <translation>Pot ca.:</translation>
    </message>
    <message>
        <source>Pot</source>
        <translation>Pot</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>Chosen Ranks</source>
        <translation>Gewählte Ränge</translation>
    </message>
    <message>
        <source># Outs:</source>
        <translation># Outs:</translation>
    </message>
    <message>
        <source>Hit %:</source>
        <translation>Quote:</translation>
    </message>
    <message>
        <source>Action To Take</source>
        <translation>Empfohlene Aktion</translation>
    </message>
    <message>
        <source>Wager</source>
        <translation>Einsatz</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Hand Possibilities</source>
        <translation>Mögliche Hände</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Hand</translation>
    </message>
    <message>
        <source>%Odds</source>
        <translation>%Chance</translation>
    </message>
    <message>
        <source>Outs</source>
        <translation>Outs</translation>
    </message>
    <message>
        <source>Legend</source>
        <translation>Legende</translation>
    </message>
    <message>
        <source>Pre-Flop Info: Hand (&apos;s&apos;=SUITED): Betting Advice (Hand Rank/Total Hand Combos) [# Hands at that Rank] G=Grouping</source>
        <translation>Preflop-Info: Hand (&apos;s&apos;=gleichfarbig): Empfehlung (Rang der Hand/Zahl der Hände) [# Hände auf diesem Rang] G=Gruppe</translation>
    </message>
    <message>
        <source>Car&amp;ds:</source>
        <translation>&amp;Karten:</translation>
    </message>
    <message>
        <source>Rank and suit of each card, e.g. As Kh 10d 9c; Enter chooses them, Escape closes</source>
        <translation>Rang und Farbe jeder Karte in englischer Schreibweise, z. B. As Kh 10d 9c; Enter wählt sie, Escape schließt</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Legend</source>
        <translation>&amp;Legende</translation>
    </message>
    <message>
        <source>&amp;PreFlop Strategy Key</source>
        <translation>Preflop-Strategie-&amp;Schlüssel</translation>
    </message>
    <message>
        <source>Sho&amp;wdown Odds</source>
        <translation>Sho&amp;wdown-Chancen</translation>
    </message>
    <message>
        <source>Category &amp;Marks</source>
        <translation>Kategorie-&amp;Marken</translation>
    </message>
    <message>
        <source>Change &amp;Settings</source>
        <translation>&amp;Einstellungen ändern</translation>
    </message>
    <message>
        <source>&amp;Enter Cards…</source>
        <translation>&amp;Karten eingeben…</translation>
    </message>
    <message>
        <source>&amp;Undo Last Card</source>
        <translation>Letzte Karte &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Verklei&amp;nern</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation>&amp;Online-Hilfe</translation>
    </message>
    <message>
        <source>Quorvane Home Page</source>
        <translation>Quorvane-Homepage</translation>
    </message>
    <message>
        <source>Download Latest Version</source>
        <translation>Neueste Version herunterladen</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>Fehlerbehebung</translation>
    </message>
    <message>
        <source>Groupings Help</source>
        <translation>Hilfe zu den Gruppen</translation>
    </message>
    <message>
        <source>Online Manual</source>
        <translation>Online-Handbuch</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Quorvane</translation>
    </message>
    <message>
        <source>Quorvane v%1.%2.%3</source>
        <translation>Quorvane v%1.%2.%3</translation>
    </message>
    <message>
        <source>BET</source>
        <translation>SETZEN</translation>
    </message>
    <message>
        <source>FOLD</source>
        <translation>PASSEN</translation>
    </message>
    <message>
        <source>“%1” %2</source>
        <translation>„%1“ %2</translation>
    </message>
    <message>
        <source>Play to the &amp;River</source>
        <translation>Bis zum River s&amp;pielen</translation>
    </message>
    <message>
        <source>Opponents&apos; &amp;Range...</source>
        <translation>&amp;Range der Gegner...</translation>
    </message>
</context>
<context>
    <name>frmRange</name>
    <message>
        <source>Opponents&apos; Range</source>
        <translation>Range der Gegner</translation>
    </message>
    <message>
        <source>Groups 1 to </source>
        <translation>Gruppen 1 bis </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Top %1%</source>
        <translation>Top %1%</translation>
    </message>
    <message>
        <source>Not a range: %1</source>
        <translation>Keine Range: %1</translation>
    </message>
    <message>
        <source>This range is too long to be kept in the settings file: it is used until the program ends.</source>
        <translation>Diese Range ist zu lang für die Einstellungsdatei: sie gilt, bis das Programm endet.</translation>
    </message>
    <message>
        <source>Starting hands</source>
        <translation>Starthände</translation>
    </message>
    <message>
        <source>%1: in the range</source>
        <translation>%1: in der Range</translation>
    </message>
    <message>
        <source>%1: not in the range</source>
        <translation>%1: nicht in der Range</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Change the default settings here:</source>
        <translation>Hier ändern Sie die Voreinstellungen:</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Table Minimum:</source>
        <translation>Tisch-Minimum:</translation>
    </message>
    <message>
        <source>Enter the minimum bet of the table here(on a $10/$20 table, this would be 10)</source>
        <translation>Geben Sie hier den kleinsten Einsatz des Tisches ein (an einem $10/$20-Tisch wäre das 10)</translation>
    </message>
    <message>
        <source>Table Maximum:</source>
        <translation>Tisch-Maximum:</translation>
    </message>
    <message>
        <source>Enter the maximum bet of the table here(on a $10/$20 table, this would be 20)</source>
        <translation>Geben Sie hier den größten Einsatz des Tisches ein (an einem $10/$20-Tisch wäre das 20)</translation>
    </message>
    <message>
        <source>Maximum # Raises:</source>
        <translation>Max. # Erhöhungen:</translation>
    </message>
    <message>
        <source>Enter the maximum number of raises the table allows here(usually 3).</source>
        <translation>Geben Sie hier die größte Zahl der Erhöhungen ein, die der Tisch erlaubt (meist 3).</translation>
    </message>
    <message>
        <source>Max Avg Pot SIze:</source>
        <translation>Max. mittlerer Pot:</translation>
    </message>
    <message>
        <source>Enter the largest amount that the pot usually gets to(this modifies the slider&apos;s maximum setting).</source>
        <translation>Geben Sie hier den Betrag ein, den der Pot gewöhnlich höchstens erreicht (er bestimmt das Maximum des Schiebereglers).</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>Bitte geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter a whole number.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter a number greater than 0.</source>
        <translation>Bitte geben Sie eine Zahl größer als 0 ein.</translation>
    </message>
    <message>
        <source>The maximum number of raises is too large. Please enter a whole number no greater than %1.</source>
        <translation>Die größte Zahl der Erhöhungen ist zu groß. Bitte geben Sie eine ganze Zahl bis höchstens %1 ein.</translation>
    </message>
    <message>
        <source>The average pot size is too large. Please enter a whole number no greater than %1.</source>
        <translation>Die mittlere Potgröße ist zu groß. Bitte geben Sie eine ganze Zahl bis höchstens %1 ein.</translation>
    </message>
    <message>
        <source>The advice can show at most %1 raises. Please enter a smaller maximum number of raises.</source>
        <translation>Die Empfehlung kann höchstens %1 Erhöhungen zeigen. Bitte geben Sie eine kleinere Höchstzahl der Erhöhungen ein.</translation>
    </message>
    <message>
        <source>These bets are too large for the advice to show. Please enter smaller table limits.</source>
        <translation>Diese Einsätze sind zu groß für die Empfehlung. Bitte geben Sie kleinere Tischlimits ein.</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Copyright © %1</source>
        <translation>Copyright © %1</translation>
    </message>
    <message>
        <source>Quorvane Home Page</source>
        <translation>Quorvane-Homepage</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Quorvane v%1</source>
        <translation>Quorvane v%1</translation>
    </message>
    <message>
        <source>Version # %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ini</name>
    <message>
        <source>in use by another copy of the program</source>
        <translation>von einer anderen Kopie des Programms benutzt</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>ein Link</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>a link to a file that is not a settings file</source>
        <translation>ein Link auf eine Datei, die keine Einstellungsdatei ist</translation>
    </message>
    <message>
        <source>, not a lock file</source>
        <translation>, keine Sperrdatei</translation>
    </message>
    <message>
        <source>a folder of that name is in the way</source>
        <translation>ein Ordner dieses Namens steht im Weg</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>file too large</source>
        <translation>Datei zu groß</translation>
    </message>
</context>
<context>
    <name>modBoard</name>
    <message>
        <source>Enter Pre-Flop Cards</source>
        <translation>Preflop-Karten wählen</translation>
    </message>
    <message>
        <source>Pre-Flop Strategy</source>
        <translation>Preflop-Strategie</translation>
    </message>
    <message>
        <source>Flop - Enter Pot for Strategy</source>
        <translation>Flop - Pot für Rat eingeben</translation>
    </message>
    <message>
        <source>Turn - Enter Pot for Strategy</source>
        <translation>Turn - Pot für Rat eingeben</translation>
    </message>
    <message>
        <source>River - Enter Pot for Strategy</source>
        <translation>River - Pot für Rat eingeben</translation>
    </message>
</context>
<context>
    <name>modGlobal</name>
    <message>
        <source><byte value="xd"/>
The settings cannot be kept: until they can be read, the program runs on its defaults and stores no change.</source>
        <translation><byte value="xd"/>
Die Einstellungen können nicht gespeichert werden: bis sie gelesen werden können, läuft das Programm mit seinen Voreinstellungen und speichert keine Änderung.</translation>
    </message>
    <message>
        <source>no folder for the settings (%1)</source>
        <translation>kein Ordner für die Einstellungen (%1)</translation>
    </message>
    <message>
        <source>%1 holds a name that is not valid in the file system&apos;s encoding</source>
        <translation>%1 enthält einen Namen, der in der Kodierung des Dateisystems ungültig ist</translation>
    </message>
    <message>
        <source>HOME is not set</source>
        <translation>HOME ist nicht gesetzt</translation>
    </message>
    <message>
        <source>HOME is not an absolute path</source>
        <translation>HOME ist kein absoluter Pfad</translation>
    </message>
</context>
<context>
    <name>modOdds</name>
    <message>
        <source>High Card</source>
        <translation>Höchste Karte</translation>
    </message>
    <message>
        <source>Pair</source>
        <translation>Paar</translation>
    </message>
    <message>
        <source>2 Pair</source>
        <translation>Zwei Paare</translation>
    </message>
    <message>
        <source>3 Of A Kind</source>
        <translation>Drilling</translation>
    </message>
    <message>
        <source>Straight</source>
        <translation>Straße</translation>
    </message>
    <message>
        <source>Flush</source>
        <translation>Flush</translation>
    </message>
    <message>
        <source>Full House</source>
        <translation>Full House</translation>
    </message>
    <message>
        <source>4 Of A Kind</source>
        <translation>Vierling</translation>
    </message>
    <message>
        <source>Straight Flush</source>
        <translation>Straight Flush</translation>
    </message>
</context>
<context>
    <name>modRange</name>
    <message>
        <source>vs any two cards</source>
        <translation>gegen zwei beliebige Karten</translation>
    </message>
    <message>
        <source>vs top %1% (%2 combos)</source>
        <translation>gegen Top %1% (%2 Kombinationen)</translation>
    </message>
    <message>
        <source>vs %1</source>
        <translation>gegen %1</translation>
    </message>
    <message>
        <source>%1 combos (%2)</source>
        <translation>%1 Kombinationen (%2)</translation>
    </message>
    <message>
        <source>No hand of the range is left</source>
        <translation>Keine Hand der Range ist übrig</translation>
    </message>
</context>
<context>
    <name>onlinehelp</name>
    <message>
        <source>%1 Home Page</source>
        <translation>%1-Homepage</translation>
    </message>
</context>
</TS>
