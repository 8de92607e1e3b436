#include "web/PageFacts.h"

#include <cstdio>

#include "host/CloseRules.h"
#include "settings/MemoryStore.h"
#include "settings/SettingsValues.h"

namespace {

// The dialog's labels by control id (its template's texts).
struct Label {
    int ControlId;
    const char* Text;
};
const Label LABELS[] = {
    {IDC_CIRCLE, "Circle"}, {IDC_SQUARE, "Square"}, {IDC_TRIANGLE, "Triangle"},
    {IDC_FOUR_POINT_STAR, "4 Point Star"}, {IDC_DIAMOND, "Diamond"}, {IDC_PYRAMID, "Pyramid"},
    {IDC_SIX_POINT_STAR, "6 Point Star"}, {IDC_EIGHT_POINT_STAR, "8 Point Star"},
    {IDC_ROTATION_NONE, "None"}, {IDC_ROTATION_CLOCKWISE, "Clockwise"},
    {IDC_ROTATION_ANTICLOCKWISE, "Anti-Clockwise"},
    {IDC_ZOOM_LOW, "Low"}, {IDC_ZOOM_MEDIUM, "Medium"}, {IDC_ZOOM_HIGH, "High"}, {IDC_ZOOM_VERY_HIGH, "Very High"},
    {IDC_ZOOM_ONE_PHASE, "1 Phase"}, {IDC_ZOOM_TWO_PHASE, "2 Phase"}, {IDC_ZOOM_FOUR_PHASE, "4 Phase"},
    {IDC_ZOOM_START_SMALL, "Start Small"}, {IDC_ZOOM_START_LARGE, "Start Large"},
    {IDC_COLOUR_HIGH, "High"}, {IDC_COLOUR_MEDIUM, "Medium"}, {IDC_COLOUR_LOW, "Low"},
};

const char* LabelOf(int controlId)
{
    for (const Label& label : LABELS) {
        if (label.ControlId == controlId)
            return label.Text;
    }
    return "";
}

std::string Quoted(const char* text)
{
    return std::string("\"") + text + "\"";
}

std::string Number(unsigned long long value)
{
    return std::to_string(value);
}

template <std::size_t N>
std::string Group(const char* label, int index, const MaskControl (&controls)[N])
{
    std::string json = "{\"label\":" + Quoted(label) + ",\"index\":" + Number(index) + ",\"items\":[";
    for (std::size_t i = 0; i < N; i++)
        json += (i ? ",[" : "[") + Quoted(LabelOf(controls[i].ControlId)) + "," + Number(controls[i].Bit) + "]";
    return json + "]}";
}

std::string Entry(const char* label, int index, unsigned low, unsigned high, const char* title, const char* message)
{
    return "{\"label\":" + Quoted(label) + ",\"index\":" + Number(index) + ",\"min\":" + Number(low) +
           ",\"max\":" + Number(high) + ",\"title\":" + Quoted(title) + ",\"message\":" + Quoted(message) + "}";
}

}  // namespace

std::string PageFactsJson()
{
    const MaskControl colours[3] = {{IDC_COLOUR_HIGH, static_cast<std::uint32_t>(COLOUR_HIGH)},
                                    {IDC_COLOUR_MEDIUM, static_cast<std::uint32_t>(COLOUR_MEDIUM)},
                                    {IDC_COLOUR_LOW, static_cast<std::uint32_t>(COLOUR_LOW)}};
    std::string json = "{\"names\":[";
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        json += (i ? "," : "") + Quoted(SETTINGS_VALUE_NAMES[i]);
    json += "],\"size\":" + Entry("Object Size (%) :", 0, 0, MAX_OBJECT_SIZE_PERCENT, "Circle Radius",
                                  "Entry must be between 0 and 500 %");
    json += ",\"images\":" + Entry("Images Per Second :", 1, MIN_IMAGES_PER_SEC, MAX_IMAGES_PER_SEC,
                                   "Images Per Second", "Entry must be between 1 and 1000");
    json += ",\"join\":{\"label\":\"Connect Dots (if size zero)\",\"index\":2}";
    json += ",\"colour\":" + Group("Colour Option", 5, colours);
    json += ",\"groups\":[" + Group("Shapes", 3, SHAPE_CONTROLS) + "," + Group("Rotation", 4, ROTATION_CONTROLS) +
            "," + Group("Zoom Options", 6, ZOOM_CONTROLS) + "]";
    json += ",\"messages\":{\"keydown\":" + Number(MSG_KEYDOWN) + ",\"lbuttondown\":" + Number(MSG_LBUTTONDOWN) +
            ",\"mbuttondown\":" + Number(MSG_MBUTTONDOWN) + ",\"rbuttondown\":" + Number(MSG_RBUTTONDOWN) +
            ",\"activateapp\":" + Number(MSG_ACTIVATEAPP) + "}}";
    return json;
}
