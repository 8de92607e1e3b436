// Placeholder until the registry store lands: reads nothing, writes nothing.
#include "settings/RegistryStore.h"

namespace {
class NullStore : public SettingsValueStore {
public:
    StoreRead ReadValue(const char*, std::uint32_t&) override { return StoreRead::KeyMissing; }
    void WriteValue(const char*, std::uint32_t) override {}
};
NullStore TheStore;
}  // namespace

SettingsValueStore& RegistryStore() { return TheStore; }
void LoadSettingsFromRegistry() { LoadSettings(TheStore); }
