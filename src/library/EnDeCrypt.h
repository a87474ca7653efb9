#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// RC4 over every byte of data, in place; the same call enciphers and deciphers. An empty key
// selects the built-in key of the protected data files. Only the first 256 characters of a key
// count, one byte per character. Never fails: an empty array stays as it is.
void EnDeCryptBytes(std::vector<std::uint8_t>& data, const QString& key);
