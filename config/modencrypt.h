#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// The program's own reversible text cipher. A text of n single-byte characters becomes n + 4: three key
// characters, the enciphered characters, one closing key character; each key is a code from 46 to 54.
namespace modEncrypt {

inline const QString EncryptError = QStringLiteral("Error: Invalid text To Encrypt");
inline const QString DecryptError = QStringLiteral("Error: Invalid text To Decrypt");

// Enciphers the value's text form (a number by its shortest decimal text in the user's locale, or in
// plain C digits where the locale's text holds characters beyond the single-byte codes).
QString Encrypt(const QVariant& value);
QString Decrypt(const QString& cipher);

// The cipher text of a plain text with the four keys given (each 46..54), or EncryptError.
QString Encrypt_With_Keys(const QString& plain, int key1, int key2, int key3, int key4);

// A whole number from 1 to bound inclusive; bound given as a number or as its text.
double randomnumber(const QVariant& bound);

// True when the four key characters of a cipher text (the first three and the last) all lie between
// "." and "6", as every text that Encrypt produces has them.
bool Keys_In_Range(const QString& cipher);

// Tests only: replaces the key draw with a fixed sequence of keys (46..54), used in turn, wrapping round;
// an empty list restores the random draw. The values stand for the draws in their order: the first
// becomes key 1, the second key 3, the third key 2 and the fourth key 4.
void Set_Test_Keys(const QList<int>& keys);

} // namespace modEncrypt
