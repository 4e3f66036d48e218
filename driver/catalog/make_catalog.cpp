// Writes the unsigned catalogue of one processor family's package files.
// make_catalog OUTPUT.cat YYMMDDhhmmssZ FILE...
#include <fstream>
#include <iostream>
#include <iterator>

#include "driver/catalog/catalog.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: make_catalog OUTPUT.cat YYMMDDhhmmssZ FILE...\n";
    return 2;
  }
  std::vector<catalog::Member> members;
  for (int i = 3; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::cerr << "make_catalog: cannot read " << argv[i] << "\n";
      return 1;
    }
    const std::string path = argv[i];
    members.push_back({path.substr(path.find_last_of("/\\") + 1),
                       catalog::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())});
  }
  const catalog::Bytes cat = catalog::BuildCatalog(members, argv[2], "2:6.1,2:6.2,2:6.3,2:10.0");
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(cat.data()), static_cast<std::streamsize>(cat.size()));
  return out ? 0 : 1;
}
