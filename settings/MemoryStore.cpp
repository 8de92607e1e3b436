#include "settings/MemoryStore.h"

StoreRead MemoryStore::ReadValue(const char* name, std::uint32_t& value)
{
    if (!KeyExists)
        return StoreRead::KeyMissing;
    int i = SettingsValueIndex(name);
    if (i < 0 || !Present[i])
        return StoreRead::ValueUnreadable;
    value = Values[i];
    return StoreRead::Read;
}

void MemoryStore::WriteValue(const char* name, std::uint32_t value)
{
    Writes++;
    int i = SettingsValueIndex(name);
    if (i < 0)
        return;
    KeyExists = Present[i] = true;
    Values[i] = value;
}

void MemoryStore::Unset(const char* name)
{
    int i = SettingsValueIndex(name);
    KeyExists = true;
    if (i >= 0)
        Present[i] = false;
}
