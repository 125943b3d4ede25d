#include "config/modencrypt.h"

// Placeholder: the cipher lands in its own commit.
namespace modEncrypt {
QString Encrypt(const QVariant&) { return EncryptError; }
QString Decrypt(const QString&) { return DecryptError; }
QString Encrypt_With_Keys(const QString&, int, int, int, int) { return EncryptError; }
double randomnumber(const QVariant&) { return 1; }
void Set_Test_Keys(const QList<int>&) {}
} // namespace modEncrypt
