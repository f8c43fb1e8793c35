#include "platform/VersionBlock.h"

#include "platform/CaseFold.h"
#include "platform/HostText.h"
#include "platform/LittleEndian.h"
#include "platform/WinError.h"

#include <algorithm>
#include <cstring>

namespace {

const std::size_t kHeaderSize = 6; // length, value length, type
const WORD kTextType = 1;
const BYTE kRoomMark[4] = {'K', 'I', 'V', 'A'};

std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

} // namespace

VersionBlock::VersionBlock(const BYTE* data) : data_(data), length_(LittleEndian::Word(data)) {}

std::size_t VersionBlock::BufferSize(std::size_t length) {
    return Align4(length) + sizeof kRoomMark + length;
}

void VersionBlock::AddRoom(BYTE* buffer) {
    std::size_t length = LittleEndian::Word(buffer);
    std::size_t mark = Align4(length);
    std::memset(buffer + length, 0, mark - length);
    std::memcpy(buffer + mark, kRoomMark, sizeof kRoomMark);
    std::memset(buffer + mark + sizeof kRoomMark, 0, length);
}

BYTE* VersionBlock::Room(const BYTE* buffer) {
    std::size_t mark = Align4(LittleEndian::Word(buffer));
    if (std::memcmp(buffer + mark, kRoomMark, sizeof kRoomMark) != 0)
        return nullptr;
    return const_cast<BYTE*>(buffer) + mark + sizeof kRoomMark;
}

std::vector<std::u16string> VersionBlock::Names(const std::u16string& path) {
    std::vector<std::u16string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find(u'\\', start), path.size());
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

DWORD VersionBlock::Find(const std::vector<std::u16string>& path, Value* value) const {
    Node node;
    if (!ParseNode(0, length_, &node))
        return ERROR_INVALID_DATA;
    for (const std::u16string& name : path)
        if (!FindChild(node, name, &node))
            return ERROR_RESOURCE_TYPE_NOT_FOUND;
    if (node.type == kTextType && !path.empty())
        return TextValue(node, value) ? ERROR_SUCCESS : ERROR_INVALID_DATA;
    *value = {node.valueStart, node.valueBytes, false};
    return ERROR_SUCCESS;
}

// A node must fit in its parent and hold its header and a terminated key. A
// value longer than the node (text lengths counted in bytes by some tools)
// is cut at the node's end.
bool VersionBlock::ParseNode(std::size_t start, std::size_t limit, Node* node) const {
    if (limit < start || limit - start < kHeaderSize)
        return false;
    std::size_t length = LittleEndian::Word(data_ + start);
    if (length < kHeaderSize || length > limit - start)
        return false;
    node->end = start + length;
    node->keyStart = start + kHeaderSize;
    node->keyEnd = node->keyStart;
    while (node->keyEnd + 2 <= node->end && LittleEndian::Word(data_ + node->keyEnd) != 0)
        node->keyEnd += 2;
    if (node->keyEnd + 2 > node->end)
        return false;
    node->type = LittleEndian::Word(data_ + start + 4);
    std::size_t declared = LittleEndian::Word(data_ + start + 2);
    node->valueStart = std::min(Align4(node->keyEnd + 2), node->end);
    node->valueBytes =
        std::min(node->type == kTextType ? declared * 2 : declared, node->end - node->valueStart);
    node->childStart = std::min(Align4(node->valueStart + node->valueBytes), node->end);
    return true;
}

bool VersionBlock::FindChild(const Node& parent, const std::u16string& name, Node* child) const {
    std::size_t at = parent.childStart;
    Node next;
    while (at < parent.end && ParseNode(at, parent.end, &next)) {
        if (KeyEquals(next, name)) {
            *child = next;
            return true;
        }
        at = Align4(next.end);
    }
    return false;
}

bool VersionBlock::KeyEquals(const Node& node, const std::u16string& name) const {
    std::u16string key;
    for (std::size_t at = node.keyStart; at < node.keyEnd; at += 2)
        key.push_back(static_cast<char16_t>(LittleEndian::Word(data_ + at)));
    return CaseFold::Equal(HostText::FromWide(key.c_str()), HostText::FromWide(name.c_str()));
}

// A text runs to its terminator, which must lie in the node even when the
// declared length says less. An empty text is the key's terminator.
bool VersionBlock::TextValue(const Node& node, Value* value) const {
    if (node.valueBytes == 0) {
        *value = {node.keyEnd, 0, true};
        return true;
    }
    std::size_t end = node.valueStart;
    while (end + 2 <= node.end && LittleEndian::Word(data_ + end) != 0)
        end += 2;
    if (end + 2 > node.end)
        return false;
    *value = {node.valueStart, end - node.valueStart, true};
    return true;
}
