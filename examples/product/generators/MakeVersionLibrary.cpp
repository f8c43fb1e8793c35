// MakeVersionLibrary OUT.dll: writes the product's shared library, a 32-bit
// PE image whose only section holds the resource tree with one version
// resource (VS_VERSIONINFO, file version 1.4.0.0), as a linker lays it out:
// DOS header, "PE\0\0", COFF header, optional header with 16 data
// directories, and the section ".rsrc" at RVA 0x1000, file offset 0x200.
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::uint32_t kSectionRva = 0x1000;
const std::uint32_t kSectionOffset = 0x200;
const std::uint32_t kPeOffset = 0x40;
const std::uint32_t kVersionMS = 0x00010004; // 1.4
const std::uint32_t kVersionLS = 0x00000000; // .0.0

void Put16(std::string* out, std::size_t at, std::uint32_t value) {
    if (out->size() < at + 2)
        out->resize(at + 2);
    (*out)[at] = static_cast<char>(value & 0xFF);
    (*out)[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string* out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void Pad4(std::string* out) {
    out->resize((out->size() + 3) & ~std::size_t{3});
}

std::string Utf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text)
        Put16(&bytes, bytes.size(), unit);
    Put16(&bytes, bytes.size(), 0);
    return bytes;
}

// One node of the version block: length, value length (UTF-16 units for
// texts, bytes otherwise), type (1 text, 0 binary), key, value, children.
std::string Node(const std::u16string& key, std::uint16_t type, const std::string& value,
                 std::uint16_t valueLength, const std::vector<std::string>& children = {}) {
    std::string node(6, '\0');
    node += Utf16(key);
    Pad4(&node);
    node += value;
    for (const std::string& child : children) {
        Pad4(&node);
        node += child;
    }
    Put16(&node, 0, static_cast<std::uint32_t>(node.size()));
    Put16(&node, 2, valueLength);
    Put16(&node, 4, type);
    return node;
}

std::string Text(const std::u16string& name, const std::u16string& value) {
    return Node(name, 1, Utf16(value), static_cast<std::uint16_t>(value.size() + 1));
}

std::string FixedInfo() {
    std::string fixed(52, '\0');
    Put32(&fixed, 0, 0xFEEF04BD);
    Put32(&fixed, 4, 0x00010000);
    Put32(&fixed, 8, kVersionMS);
    Put32(&fixed, 12, kVersionLS);
    Put32(&fixed, 16, kVersionMS);
    Put32(&fixed, 20, kVersionLS);
    Put32(&fixed, 24, 0x3F); // file flags mask
    Put32(&fixed, 32, 0x4);  // VOS__WINDOWS32
    Put32(&fixed, 36, 0x2);  // VFT_DLL
    return fixed;
}

std::string VersionBlock() {
    std::string translation;
    Put16(&translation, 0, 0x0409);
    Put16(&translation, 2, 1252);
    const std::vector<std::string> texts = {
        Text(u"CompanyName", u"Kiv software"),
        Text(u"FileDescription", u"Orrery orbit tables"),
        Text(u"FileVersion", u"1.4.0.0"),
        Text(u"InternalName", u"KivOrbit"),
        Text(u"LegalCopyright", u"(c) Kiv software"),
        Text(u"OriginalFilename", u"KivOrbit.dll"),
        Text(u"ProductName", u"Orrery Planetarium"),
        Text(u"ProductVersion", u"1.4"),
    };
    return Node(u"VS_VERSION_INFO", 0, FixedInfo(), 52,
                {Node(u"StringFileInfo", 1, "", 0, {Node(u"040904E4", 1, "", 0, texts)}),
                 Node(u"VarFileInfo", 1, "", 0, {Node(u"Translation", 0, translation, 4)})});
}

// The resource tree with its single leaf: type 16 (version), name 1,
// language 0x0409. Three directories of one entry each, the data entry,
// then the data.
std::string ResourceTree(const std::string& data) {
    std::string tree(3 * 24 + 16, '\0');
    for (std::uint32_t level = 0; level < 3; ++level) {
        const std::size_t at = level * 24;
        Put16(&tree, at + 14, 1); // one entry with an ID
        static const std::uint32_t kIds[] = {16, 1, 0x0409};
        Put32(&tree, at + 16, kIds[level]);
        Put32(&tree, at + 20, level < 2 ? 0x80000000u | (at + 24) : 3 * 24);
    }
    Put32(&tree, 3 * 24, kSectionRva + static_cast<std::uint32_t>(tree.size()));
    Put32(&tree, 3 * 24 + 4, static_cast<std::uint32_t>(data.size()));
    tree += data;
    Pad4(&tree);
    return tree;
}

std::string Image() {
    std::string tree = ResourceTree(VersionBlock());
    const std::uint32_t rawSize = (static_cast<std::uint32_t>(tree.size()) + 0x1FF) & ~0x1FFu;
    std::string image(kSectionOffset, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put32(&image, 0x3C, kPeOffset);
    image.replace(kPeOffset, 4, std::string("PE\0\0", 4));
    const std::size_t coff = kPeOffset + 4;
    Put16(&image, coff, 0x14C); // i386
    Put16(&image, coff + 2, 1); // one section
    Put16(&image, coff + 16, 224);
    Put16(&image, coff + 18, 0x2102); // executable, 32-bit, DLL
    const std::size_t optional = coff + 20;
    const std::size_t directories = optional + 96;
    Put16(&image, optional, 0x10B);
    Put32(&image, directories - 4, 16);
    Put32(&image, directories + 16, kSectionRva); // the resource directory
    Put32(&image, directories + 20, static_cast<std::uint32_t>(tree.size()));
    const std::size_t section = optional + 224;
    image.replace(section, 8, std::string(".rsrc\0\0\0", 8));
    Put32(&image, section + 8, static_cast<std::uint32_t>(tree.size()));
    Put32(&image, section + 12, kSectionRva);
    Put32(&image, section + 16, rawSize);
    Put32(&image, section + 20, kSectionOffset);
    tree.resize(rawSize);
    return image + tree;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeVersionLibrary OUT.dll\n");
        return 2;
    }
    const std::string image = Image();
    std::FILE* out = std::fopen(argv[1], "wb");
    const bool written = out && std::fwrite(image.data(), 1, image.size(), out) == image.size();
    if ((out && std::fclose(out) != 0) || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
