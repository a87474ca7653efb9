#include "library/EnDeCrypt.h"

#include <QByteArray>
#include <array>
#include <utility>

namespace {
// Used as 66 ASCII bytes, not decoded from hexadecimal: every existing file was enciphered so.
constexpr char BuiltInKey[] = "5D13C8A07F42E96B1C3A58F0D27B4E916A0C83F5B2D74E19A6C03F8B52E7D91A4C";
constexpr int MaxKeyLength = 256;
}

void EnDeCryptBytes(std::vector<std::uint8_t>& data, const QString& key)
{
    const QByteArray keyBytes = key.isEmpty() ? QByteArray(BuiltInKey) : key.left(MaxKeyLength).toLatin1();
    const auto keyLength = static_cast<std::size_t>(keyBytes.size());

    std::array<std::uint8_t, 256> s{};
    for (std::size_t i = 0; i < 256; ++i)
        s[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + s[i] + static_cast<std::uint8_t>(keyBytes[static_cast<qsizetype>(i % keyLength)]));
        std::swap(s[i], s[j]);
    }

    std::uint8_t i = 0;
    j = 0;
    for (std::uint8_t& byte : data) {
        i = static_cast<std::uint8_t>(i + 1);
        j = static_cast<std::uint8_t>(j + s[i]);
        std::swap(s[i], s[j]);
        byte ^= s[static_cast<std::uint8_t>(s[i] + s[j])];
    }
}
