// Small PE images and version blocks made byte by byte for the tests, laid
// out as a linker lays them out: a DOS header, "PE\0\0", the COFF header, an
// optional header (PE32 or PE32+) with 16 data directories, and one section
// ".rsrc" at RVA 0x1000, file offset 0x200, holding the resource tree.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace PeImageBuilder {

const std::uint32_t kSectionRva = 0x1000;
const std::uint32_t kSectionOffset = 0x200;
const std::uint32_t kPeOffset = 0x40;

inline void Put16(std::string* out, std::size_t at, std::uint32_t value) {
    if (out->size() < at + 2)
        out->resize(at + 2);
    (*out)[at] = static_cast<char>(value & 0xFF);
    (*out)[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void Put32(std::string* out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

inline void Pad4(std::string* out) {
    out->resize((out->size() + 3) & ~std::size_t{3});
}

inline std::string Utf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text)
        Put16(&bytes, bytes.size(), unit);
    Put16(&bytes, bytes.size(), 0);
    return bytes;
}

// One node of a version block; valueLength is given as the file stores it
// (UTF-16 units for texts, bytes for binary values).
inline std::string Node(const std::u16string& key, std::uint16_t type, const std::string& value,
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

inline std::string Text(const std::u16string& name, const std::u16string& value) {
    return Node(name, 1, Utf16(value), static_cast<std::uint16_t>(value.size() + 1));
}

inline std::string FixedInfo(std::uint32_t versionMS, std::uint32_t versionLS) {
    std::string fixed(52, '\0');
    Put32(&fixed, 0, 0xFEEF04BD);
    Put32(&fixed, 4, 0x00010000);
    Put32(&fixed, 8, versionMS);
    Put32(&fixed, 12, versionLS);
    Put32(&fixed, 16, versionMS);
    Put32(&fixed, 20, versionLS);
    return fixed;
}

// A whole version block: the fixed file information, a string table
// "040904E4" with the given texts, and one translation (0x0409, 1252).
inline std::string VersionBlock(std::uint32_t versionMS, std::uint32_t versionLS,
                                const std::vector<std::string>& texts) {
    std::string translation;
    Put16(&translation, 0, 0x0409);
    Put16(&translation, 2, 1252);
    return Node(u"VS_VERSION_INFO", 0, FixedInfo(versionMS, versionLS), 52,
                {Node(u"StringFileInfo", 1, "", 0, {Node(u"040904E4", 1, "", 0, texts)}),
                 Node(u"VarFileInfo", 1, "", 0, {Node(u"Translation", 0, translation, 4)})});
}

struct Resource {
    std::uint16_t type, name, language;
    std::string data;
};

// The resource tree of the resources (types, names and languages each in
// the order given, IDs only) as it lies at kSectionRva: directories first,
// then the data entries, then the data.
inline std::string ResourceTree(const std::vector<Resource>& resources) {
    std::map<std::uint16_t, std::map<std::uint16_t, std::vector<const Resource*>>> tree;
    for (const Resource& resource : resources)
        tree[resource.type][resource.name].push_back(&resource);
    std::size_t directories = 16 + 8 * tree.size();
    for (const auto& [type, names] : tree) {
        directories += 16 + 8 * names.size();
        for (const auto& [name, languages] : names)
            directories += 16 + 8 * languages.size();
    }
    std::string out(directories, '\0');
    std::size_t nextDirectory = 16 + 8 * tree.size();
    std::size_t nextEntry = directories;
    std::size_t nextData = directories + 16 * resources.size();
    auto directory = [&](std::size_t at, std::size_t count) { Put16(&out, at + 14, count); };
    auto entry = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        Put32(&out, at, id);
        Put32(&out, at + 4, target);
    };
    directory(0, tree.size());
    std::size_t typeIndex = 0;
    for (const auto& [type, names] : tree) {
        std::size_t typeDirectory = nextDirectory;
        entry(16 + 8 * typeIndex++, type, 0x80000000u | typeDirectory);
        directory(typeDirectory, names.size());
        nextDirectory += 16 + 8 * names.size();
        std::size_t nameIndex = 0;
        for (const auto& [name, languages] : names) {
            std::size_t nameDirectory = nextDirectory;
            entry(typeDirectory + 16 + 8 * nameIndex++, name, 0x80000000u | nameDirectory);
            directory(nameDirectory, languages.size());
            nextDirectory += 16 + 8 * languages.size();
            for (std::size_t i = 0; i < languages.size(); ++i) {
                entry(nameDirectory + 16 + 8 * i, languages[i]->language, nextEntry);
                Put32(&out, nextEntry, kSectionRva + nextData);
                Put32(&out, nextEntry + 4, languages[i]->data.size());
                nextEntry += 16;
                nextData += (languages[i]->data.size() + 3) & ~std::size_t{3};
            }
        }
    }
    out.resize(directories + 16 * resources.size());
    for (const auto& [type, names] : tree)
        for (const auto& [name, languages] : names)
            for (const Resource* resource : languages) {
                out += resource->data;
                Pad4(&out);
            }
    return out;
}

// A PE image (PE32+ when wide) whose single section holds the resource tree
// of the resources; none at all gives an image without a resource directory.
inline std::string Image(bool wide, const std::vector<Resource>& resources) {
    std::string tree = resources.empty() ? std::string(16, '\0') : ResourceTree(resources);
    std::uint32_t rawSize = (static_cast<std::uint32_t>(tree.size()) + 0x1FF) & ~0x1FFu;
    std::string image(kSectionOffset, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put32(&image, 0x3C, kPeOffset);
    image.replace(kPeOffset, 4, std::string("PE\0\0", 4));
    std::size_t coff = kPeOffset + 4;
    std::uint16_t optionalSize = wide ? 240 : 224;
    Put16(&image, coff, wide ? 0x8664 : 0x14C);
    Put16(&image, coff + 2, 1);
    Put16(&image, coff + 16, optionalSize);
    Put16(&image, coff + 18, 0x2102);
    std::size_t optional = coff + 20;
    std::size_t directories = optional + (wide ? 112 : 96);
    Put16(&image, optional, wide ? 0x20B : 0x10B);
    Put32(&image, directories - 4, 16);
    if (!resources.empty()) {
        Put32(&image, directories + 16, kSectionRva);
        Put32(&image, directories + 20, tree.size());
    }
    std::size_t section = optional + optionalSize;
    image.replace(section, 8, std::string(".rsrc\0\0\0", 8));
    Put32(&image, section + 8, tree.size());
    Put32(&image, section + 12, kSectionRva);
    Put32(&image, section + 16, rawSize);
    Put32(&image, section + 20, kSectionOffset);
    tree.resize(rawSize);
    return image + tree;
}

} // namespace PeImageBuilder
