// Where the host tests find the packed skin package and the skin folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::vector<uint8_t> PackedSkin();  // the build's own skin.zip
std::string SkinFolder();
