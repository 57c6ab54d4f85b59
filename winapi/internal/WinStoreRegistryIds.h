#pragma once
// Where the registry's stored rows stand: the id of each stored key and the
// ordinal of each stored value. A save gives a key or value that is already
// stored the same id or ordinal again, so the rows of what did not change
// stay as they are (new keys take ids after every stored one).
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>

struct WinStoreRegistryIds {
    // (parent id, hive, folded name) -> id; parent 0 for a hive's root.
    std::map<std::tuple<int64_t, int64_t, std::u16string>, int64_t> keys;
    // (key id, folded value name) -> ordinal.
    std::map<std::pair<int64_t, std::u16string>, int64_t> values;
    // The largest stored id, 0 when none.
    int64_t lastKeyId = 0;
};
