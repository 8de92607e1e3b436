// The page's settings: the seven stored values as a link, the browser's
// storage or the panel give them, loaded by the saver's own load rules, and
// written out for the Windows and Linux savers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/MemoryStore.h"

class PageSettings {
public:
    // Forgets every given value: the key is missing.
    void Clear();
    // One value as `length` bytes of text: a 32-bit number (decimal or 0x
    // hex) is stored; any other text, a NUL among it too, is kept as
    // unreadable, as a registry value of the wrong type.
    void Give(int index, const char* text, std::size_t length);
    // Loads the given values into Settings by the load rules, then keeps the
    // record's stored form. Returns a bit per given value (1 << index) that
    // the rules did not take as given.
    std::uint32_t Load();
    // The record's stored number for value `index`, after Load.
    std::uint32_t Stored(int index) const { return Store.Values[index]; }
    // The store the figure is created from.
    MemoryStore& Values() { return Store; }

    // The dialog's entries (object size, images per second) and choices;
    // each saves into the store by the dialog's rules, for a Load to follow.
    // An entry returns true when refused.
    bool Enter(int index, const char* text);
    void Choose(int index, std::uint32_t value);

    // A REGEDIT4 file for the Windows saver's key, and the Linux saver's
    // settings file.
    std::string RegistryFile() const;
    std::string LinuxFile() const;

private:
    MemoryStore Store;
    std::uint32_t Given = 0;  // a bit per value given since the last Load
};
