// The settings dialog: shows the loaded Settings, checks the two number fields
// on every change and, on OK, writes every value back to the registry.
#include "settings/win32/ConfigDialog.h"

#include "settings/DialogIds.h"
#include "settings/EntryChecks.h"
#include "settings/win32/RegistryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// The warning box has no owner, so the dialog stays usable while it shows.
const UINT WARNING_FLAGS = MB_OK | MB_ICONWARNING;

void Warn(const SettingFacts& facts, const char* caption)
{
    MessageBoxA(nullptr, RefusedEntryText(facts).c_str(), caption, WARNING_FLAGS);
}

void ShowMask(HWND dialog, const SettingFacts& facts, std::uint32_t mask)
{
    for (int i = 0; i < facts.ChoiceCount; i++) {
        const SettingChoice& choice = facts.Choices[i];
        CheckDlgButton(dialog, choice.ControlId, (mask & choice.Value) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
}

std::uint32_t MaskFromChecks(HWND dialog, const SettingFacts& facts)
{
    std::uint32_t mask = 0;
    for (int i = 0; i < facts.ChoiceCount; i++)
        if (IsDlgButtonChecked(dialog, facts.Choices[i].ControlId) != 0)
            mask |= facts.Choices[i].Value;
    return mask;
}

void InitDialog(HWND dialog)
{
    LoadSettingsFromRegistry();

    // A stored colour that is none of the choices shows as Medium.
    int colourButton = IDC_COLOUR_MEDIUM;
    for (const SettingChoice& colour : COLOUR_CHOICES)
        if (static_cast<std::uint32_t>(Settings.ColourOption) == colour.Value)
            colourButton = colour.ControlId;
    CheckRadioButton(dialog, IDC_COLOUR_HIGH, IDC_COLOUR_LOW, colourButton);

    // Each of these makes its edit notify, so the values just written pass
    // through the entry checks below.
    SetDlgItemInt(dialog, IDC_OBJECT_SIZE, PercentFor(Settings.RadiusFactor), FALSE);
    SetDlgItemInt(dialog, IDC_IMAGES_PER_SEC, ImagesPerSecFor(Settings.TimerInterval), FALSE);

    // A stored value other than 0 or 1 shows as ticked rather than as an
    // undefined third state.
    CheckDlgButton(dialog, IDC_JOIN_THE_DOTS, Settings.JoinTheDots != 0 ? BST_CHECKED : BST_UNCHECKED);

    ShowMask(dialog, SETTINGS_TABLE[SETTING_OBJECT_SHAPE], Settings.ObjectShape);
    ShowMask(dialog, SETTINGS_TABLE[SETTING_OBJECT_ROTATION], Settings.ObjectRotation);
    ShowMask(dialog, SETTINGS_TABLE[SETTING_ZOOM_OPTION], Settings.ZoomOption);
}

void CheckImagesPerSec(HWND dialog)
{
    BOOL isNumber = FALSE;
    UINT entry = GetDlgItemInt(dialog, IDC_IMAGES_PER_SEC, &isNumber, TRUE);
    ImagesEntry checked = CheckImagesEntry(isNumber != FALSE, entry, Settings.TimerInterval);
    Settings.TimerInterval = checked.TimerInterval;
    if (!checked.Refused)
        return;
    // Putting the previous value back notifies again; it passes the check.
    SetDlgItemInt(dialog, IDC_IMAGES_PER_SEC, ImagesPerSecFor(Settings.TimerInterval), FALSE);
    Warn(SETTINGS_TABLE[SETTING_IMAGES_PER_SEC], IMAGES_REFUSED_CAPTION);
}

void CheckObjectSize(HWND dialog)
{
    BOOL isNumber = FALSE;
    UINT entry = GetDlgItemInt(dialog, IDC_OBJECT_SIZE, &isNumber, TRUE);
    SizeEntry checked = CheckSizeEntry(isNumber != FALSE, entry, Settings.RadiusFactor);
    Settings.RadiusFactor = checked.RadiusFactor;
    if (!checked.Refused)
        return;
    SetDlgItemInt(dialog, IDC_OBJECT_SIZE, PercentFor(Settings.RadiusFactor), FALSE);
    Warn(SETTINGS_TABLE[SETTING_RADIUS_FACTOR], SIZE_REFUSED_CAPTION);
}

// RadiusFactor and TimerInterval are already current from the edits; the masks
// and the colour are read from the controls.
void SaveAll(HWND dialog)
{
    SettingsValueStore& store = RegistryStore();
    SaveRadiusFactor(store);
    SaveImagesPerSec(store);
    SaveObjectShape(store, MaskFromChecks(dialog, SETTINGS_TABLE[SETTING_OBJECT_SHAPE]));
    SaveObjectRotation(store, MaskFromChecks(dialog, SETTINGS_TABLE[SETTING_OBJECT_ROTATION]));
    SaveZoomOption(store, MaskFromChecks(dialog, SETTINGS_TABLE[SETTING_ZOOM_OPTION]));

    Settings.JoinTheDots = IsDlgButtonChecked(dialog, IDC_JOIN_THE_DOTS);
    SaveJoinTheDots(store);

    for (const SettingChoice& colour : COLOUR_CHOICES) {
        if (IsDlgButtonChecked(dialog, colour.ControlId) != 0) {
            SaveColourOption(store, static_cast<std::int32_t>(colour.Value));
            break;
        }
    }
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: InitDialog(dialog); return TRUE;  // let the dialog manager set the focus

    case WM_COMMAND:
        // Only the control id matters: the edits are checked on every
        // notification, whatever its code.
        switch (LOWORD(wParam)) {
        case IDOK:
            SaveAll(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_IMAGES_PER_SEC: CheckImagesPerSec(dialog); return FALSE;
        case IDC_OBJECT_SIZE: CheckObjectSize(dialog); return FALSE;
        default: return FALSE;
        }

    default: return FALSE;
    }
}

INT_PTR RunConfigDialog(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), owner, ConfigDialogProc, 0);
}
