// An unsigned driver catalogue (.cat): a PKCS #7 signed-data message holding a certificate trust
// list with one member per package file, keyed by its SHA-1 hash as Windows computes it. The build
// signs it afterwards (osslsigncode), which adds the signer without touching the list.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace catalog {

using Bytes = std::vector<uint8_t>;
using Digest = std::array<uint8_t, 20>;

// The Authenticode hash of a PE image: the whole file except its checksum, the certificate-table
// entry and the certificate table itself. Empty for a file that is no PE image.
std::optional<Digest> PeImageDigest(const Bytes& file);

Digest FlatDigest(const Bytes& file);

struct Member {
  std::string fileName;
  Bytes contents;
};

// The member tag: the hash in upper-case hex.
std::string HexTag(const Digest& digest);

// utcTime as "YYMMDDhhmmssZ"; osAttributes as Windows writes them ("2:6.1,2:10.0").
Bytes BuildCatalog(const std::vector<Member>& members, const std::string& utcTime,
                   const std::string& osAttributes);

}  // namespace catalog
