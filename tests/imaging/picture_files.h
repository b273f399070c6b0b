#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace orvalis::test {

// Writers for the formats Qt cannot write, so that tests make every picture they read.
// A GIF of at most 4 colours (the picture is mapped to its first four colours).
std::vector<uint8_t> EncodeGif(const QImage& image);
// A run-length encoded 256-colour PCX.
std::vector<uint8_t> EncodePcx8(const QImage& indexed);

void WriteFile(const std::string& path, const std::vector<uint8_t>& data);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace orvalis::test
