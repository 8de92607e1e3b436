#include "web/PageFacts.h"

#include "hostrules/CloseRules.h"
#include "settings/EntryChecks.h"
#include "settings/SettingsTable.h"
#include "web/StillLimits.h"

namespace {

// Table texts are plain ASCII without quotes or backslashes.
std::string Text(const char* text)
{
    return std::string("\"") + text + "\"";
}

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

const char* const KINDS[] = {"number", "flag", "bits", "choice"};

std::string Setting(const SettingFacts& facts)
{
    std::string json = "{\"name\":" + Text(facts.Name) + ",\"label\":" + Text(facts.Label) +
        ",\"kind\":" + Text(KINDS[static_cast<int>(facts.Kind)]) + ",\"low\":" + Number(facts.Low) +
        ",\"high\":" + Number(facts.High) + ",\"choices\":[";
    for (int i = 0; i < facts.ChoiceCount; i++)
        json += (i ? ",[" : "[") + Text(facts.Choices[i].Label) + "," + Number(facts.Choices[i].Value) + "]";
    return json + "]}";
}

std::string Warning(int index, const char* caption)
{
    return "\"" + std::string(SETTINGS_TABLE[index].Name) + "\":{\"caption\":" + Text(caption) +
        ",\"text\":" + Text(RefusedEntryText(SETTINGS_TABLE[index]).c_str()) + "}";
}

}  // namespace

std::string PageFactsJson()
{
    std::string json = "{\"settings\":[";
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        json += (i ? "," : "") + Setting(SETTINGS_TABLE[i]);
    json += "],\"refused\":{" + Warning(SETTING_RADIUS_FACTOR, SIZE_REFUSED_CAPTION) + "," +
        Warning(SETTING_IMAGES_PER_SEC, IMAGES_REFUSED_CAPTION) + "}";
    json += ",\"messages\":{\"keydown\":" + Number(MSG_KEYDOWN) + ",\"lbuttondown\":" + Number(MSG_LBUTTONDOWN) +
        ",\"mbuttondown\":" + Number(MSG_MBUTTONDOWN) + ",\"rbuttondown\":" + Number(MSG_RBUTTONDOWN) +
        ",\"activateapp\":" + Number(MSG_ACTIVATEAPP) + "}";
    json += ",\"still\":{\"side\":" + Number(MAX_STILL_SIDE) + ",\"pixels\":" + Number(MAX_STILL_PIXELS) +
        ",\"ticks\":" + Number(MAX_STILL_TICKS) + "}}";
    return json;
}
