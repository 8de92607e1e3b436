#include "settings/MemoryStore.h"

#include <cstring>

#include "settings/SettingsValues.h"

const char* const SETTINGS_VALUE_NAMES[SETTINGS_VALUE_COUNT] = {
    VALUE_RADIUS_FACTOR, VALUE_IMAGES_PER_SEC, VALUE_JOIN_THE_DOTS, VALUE_OBJECT_SHAPE,
    VALUE_OBJECT_ROTATION, VALUE_COLOUR_OPTION, VALUE_ZOOM_OPTION};

int SettingsValueIndex(const char* name)
{
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        if (std::strcmp(name, SETTINGS_VALUE_NAMES[i]) == 0)
            return i;
    }
    return -1;
}

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
    KeyExists = true;
    Present[i] = true;
    Values[i] = value;
}
