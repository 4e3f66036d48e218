#include "driver/catalog/catalog.h"

#include <cstring>
#include <initializer_list>

#include "driver/catalog/sha1.h"

namespace catalog {

namespace {

// DER, as much of it as the catalogue needs.
Bytes Tlv(uint8_t tag, const Bytes& content) {
  Bytes out{tag};
  const size_t size = content.size();
  if (size < 0x80) {
    out.push_back(static_cast<uint8_t>(size));
  } else {
    Bytes length;
    for (size_t rest = size; rest; rest >>= 8) length.insert(length.begin(), static_cast<uint8_t>(rest));
    out.push_back(static_cast<uint8_t>(0x80 | length.size()));
    out.insert(out.end(), length.begin(), length.end());
  }
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Sequence(std::initializer_list<Bytes> parts) { return Tlv(0x30, Join(parts)); }
Bytes Set(const Bytes& joined) { return Tlv(0x31, joined); }
Bytes Explicit(int number, const Bytes& content) { return Tlv(static_cast<uint8_t>(0xA0 + number), content); }
Bytes Octets(const Bytes& content) { return Tlv(0x04, content); }
Bytes Null() { return {0x05, 0x00}; }

Bytes Integer(uint32_t value) {
  Bytes content;
  do {
    content.insert(content.begin(), static_cast<uint8_t>(value));
    value >>= 8;
  } while (value);
  if (content[0] & 0x80) content.insert(content.begin(), 0);
  return Tlv(0x02, content);
}

Bytes Oid(const char* dotted) {
  std::vector<uint32_t> arcs;
  for (const char* p = dotted; *p;) {
    arcs.push_back(static_cast<uint32_t>(std::strtoul(p, const_cast<char**>(&p), 10)));
    if (*p == '.') ++p;
  }
  Bytes content{static_cast<uint8_t>(arcs[0] * 40 + arcs[1])};
  for (size_t i = 2; i < arcs.size(); ++i) {
    Bytes arc{static_cast<uint8_t>(arcs[i] & 0x7F)};
    for (uint32_t rest = arcs[i] >> 7; rest; rest >>= 7)
      arc.insert(arc.begin(), static_cast<uint8_t>(0x80 | (rest & 0x7F)));
    content.insert(content.end(), arc.begin(), arc.end());
  }
  return Tlv(0x06, content);
}

Bytes Utf16(const std::string& ascii, bool terminated) {
  Bytes out;
  for (char c : ascii) out.insert(out.end(), {static_cast<uint8_t>(c), 0});
  if (terminated) out.insert(out.end(), {0, 0});
  return out;
}

Bytes BmpString(const std::string& ascii) {
  Bytes bigEndian;
  for (char c : ascii) bigEndian.insert(bigEndian.end(), {0, static_cast<uint8_t>(c)});
  return Tlv(0x1E, bigEndian);
}

uint32_t Read32(const Bytes& file, size_t at) {
  return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t{file[at + 3]} << 24;
}

// A name-value attribute of the catalogue or of a member ("File", "OSAttr").
Bytes NameValue(const std::string& name, const std::string& value) {
  return Sequence({BmpString(name), Integer(0x10010001), Octets(Utf16(value, true))});
}

const char kNameValueOid[] = "1.3.6.1.4.1.311.12.2.1";
const char kMemberInfoOid[] = "1.3.6.1.4.1.311.12.2.2";
const char kIndirectDataOid[] = "1.3.6.1.4.1.311.2.1.4";
const char kPeImageDataOid[] = "1.3.6.1.4.1.311.2.1.15";
const char kFlatDataOid[] = "1.3.6.1.4.1.311.2.1.25";
const char kSha1Oid[] = "1.3.14.3.2.26";
// The subject interface packages that hash a PE image and a flat file.
const char kPeSubject[] = "{C689AAB8-8E78-11D0-8C47-00C04FC295EE}";
const char kFlatSubject[] = "{DE351A42-8E59-11D0-8C47-00C04FC295EE}";

Bytes MemberEntry(const Member& member) {
  const std::optional<Digest> pe = PeImageDigest(member.contents);
  const Digest digest = pe ? *pe : FlatDigest(member.contents);
  const Bytes obsolete = Explicit(2, Tlv(0x80, Utf16("<<<Obsolete>>>", false)));
  const Bytes data = pe ? Sequence({Oid(kPeImageDataOid), Sequence({Tlv(0x03, {0}), Explicit(0, obsolete)})})
                        : Sequence({Oid(kFlatDataOid), obsolete});
  const Bytes indirect = Sequence(
      {data, Sequence({Sequence({Oid(kSha1Oid), Null()}), Octets(Bytes(digest.begin(), digest.end()))})});
  const Bytes attributes =
      Join({Sequence({Oid(kNameValueOid), Set(NameValue("File", member.fileName))}),
            Sequence({Oid(kMemberInfoOid),
                      Set(Sequence({BmpString(pe ? kPeSubject : kFlatSubject), Integer(512)}))}),
            Sequence({Oid(kIndirectDataOid), Set(indirect)})});
  return Sequence({Octets(Utf16(HexTag(digest), true)), Set(attributes)});
}

}  // namespace

std::optional<Digest> PeImageDigest(const Bytes& file) {
  if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') return std::nullopt;
  const size_t pe = Read32(file, 0x3C);
  if (pe > file.size() - 24 || std::memcmp(&file[pe], "PE\0\0", 4) != 0) return std::nullopt;
  const size_t optional = pe + 24;
  if (optional + 2 > file.size()) return std::nullopt;
  const uint16_t magic = static_cast<uint16_t>(file[optional] | file[optional + 1] << 8);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  const size_t checksum = optional + 64;
  const size_t certificateEntry = optional + (magic == 0x10B ? 128 : 144);
  if (certificateEntry + 8 > file.size()) return std::nullopt;
  const size_t tableAt = Read32(file, certificateEntry), tableSize = Read32(file, certificateEntry + 4);
  const size_t end = tableSize && tableAt <= file.size() ? tableAt : file.size();
  if (end < certificateEntry + 8) return std::nullopt;

  Sha1 sha;
  sha.Update(file.data(), checksum);
  sha.Update(file.data() + checksum + 4, certificateEntry - checksum - 4);
  sha.Update(file.data() + certificateEntry + 8, end - certificateEntry - 8);
  return sha.Final();
}

Digest FlatDigest(const Bytes& file) {
  Sha1 sha;
  sha.Update(file.data(), file.size());
  return sha.Final();
}

std::string HexTag(const Digest& digest) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : digest) text += {kHex[byte >> 4], kHex[byte & 15]};
  return text;
}

Bytes BuildCatalog(const std::vector<Member>& members, const std::string& utcTime,
                   const std::string& osAttributes) {
  Bytes entries;
  Sha1 listId;
  for (const Member& member : members) {
    const Bytes entry = MemberEntry(member);
    entries.insert(entries.end(), entry.begin(), entry.end());
    listId.Update(entry.data(), entry.size());
  }
  const Digest id = listId.Final();
  const Bytes osAttr = Sequence({Oid(kNameValueOid), Octets(NameValue("OSAttr", osAttributes))});
  const Bytes trustList = Sequence({
      Sequence({Oid("1.3.6.1.4.1.311.12.1.1")}),   // subject usage: catalogue list
      Octets(Bytes(id.begin(), id.begin() + 16)),  // list identifier
      Tlv(0x17, Bytes(utcTime.begin(), utcTime.end())),
      Sequence({Oid("1.3.6.1.4.1.311.12.1.2"), Null()}),  // members are catalogue list members
      Tlv(0x30, entries),
      Explicit(0, Sequence({osAttr})),
  });
  // PKCS #7 signed data with the list as its content, no digest algorithms and no signers yet.
  const Bytes signedData = Sequence(
      {Integer(1), Set({}), Sequence({Oid("1.3.6.1.4.1.311.10.1"), Explicit(0, trustList)}), Set({})});
  return Sequence({Oid("1.2.840.113549.1.7.2"), Explicit(0, signedData)});
}

}  // namespace catalog
