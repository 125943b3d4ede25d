#include "config/frmsettings.h"

// Placeholder: the dialog lands in its own commit.
frmSettings::frmSettings(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("frmSettings")); }
