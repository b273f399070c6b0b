#pragma once

#include <cstdint>

namespace orvalis {

// One content record. Path and Text are zero-terminated buffers owned by the database, or null for an empty
// field. Copies handed out by the database share the buffers and own nothing.
struct TiDbRec {
    uint32_t Id = 0;
    uint16_t PathLen = 0;
    uint16_t TextLen = 0;
    char* Path = nullptr;
    char* Text = nullptr;
    bool Selected = false;
};

} // namespace orvalis
