// A version block (VS_VERSIONINFO, 32-bit layout) as GetFileVersionInfo
// hands it out, and the search for a value in its tree of nodes. Each node
// is a WORD length (the node with its children), a WORD value length (bytes
// for binary values, UTF-16 units for texts), a WORD type (1 text, 0
// binary), a UTF-16 key with its terminator, padding to 4 bytes, the value,
// padding, then the child nodes. Offsets are aligned from the block's start.
//
// The handed-out buffer is the block, then at the next multiple of 4 a mark
// and a room as long as the block: the ANSI form of a text at block offset o
// goes to room offset o. A text's ANSI form never takes more bytes than its
// UTF-16 form, so texts never overlap in the room and repeated queries give
// the same pointers. Internal to the platform layer.
#pragma once

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class VersionBlock {
public:
    struct Value {
        std::size_t offset; // from the start of the block
        std::size_t bytes;  // a text's bytes exclude its terminator
        bool text;
    };

    // The block at data, as long as its root node says.
    explicit VersionBlock(const BYTE* data);

    // The size of the buffer for a block of length bytes, with its room.
    static std::size_t BufferSize(std::size_t length);
    // Marks and clears the room after the block at buffer, which must be
    // BufferSize bytes long.
    static void AddRoom(BYTE* buffer);
    // The room of the block at buffer, or null when it has none.
    static BYTE* Room(const BYTE* buffer);

    // A path's names between "\"; empty names are skipped, so that "\" and ""
    // name the root.
    static std::vector<std::u16string> Names(const std::u16string& path);

    std::size_t Length() const { return length_; }

    // Finds the value of the node at path. ERROR_SUCCESS, ERROR_INVALID_DATA
    // (a root that cannot be read, or a text without its terminator) or
    // ERROR_RESOURCE_TYPE_NOT_FOUND. A child that overruns its parent ends
    // the list of children.
    DWORD Find(const std::vector<std::u16string>& path, Value* value) const;

private:
    struct Node {
        std::size_t end;
        std::size_t keyStart;
        std::size_t keyEnd; // the key's terminator
        std::size_t valueStart;
        std::size_t valueBytes;
        std::size_t childStart;
        WORD type;
    };

    bool ParseNode(std::size_t start, std::size_t limit, Node* node) const;
    bool FindChild(const Node& parent, const std::u16string& name, Node* child) const;
    bool KeyEquals(const Node& node, const std::u16string& name) const;
    bool TextValue(const Node& node, Value* value) const;

    const BYTE* data_;
    std::size_t length_;
};
