// The settings dialog: shows the loaded Settings, checks the two number fields
// on every change and, on OK, writes every value back to the registry.
#include "settings/ConfigDialog.h"

#include <cstddef>

#include "settings/DialogIds.h"
#include "settings/EntryChecks.h"
#include "settings/RegistryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// The warning box has no owner, so the dialog stays usable while it shows.
const UINT WARNING_FLAGS = MB_OK | MB_ICONWARNING;

template <size_t Count>
void ShowMask(HWND dialog, const MaskControl (&controls)[Count], std::uint32_t mask)
{
    for (const MaskControl& control : controls)
        CheckDlgButton(dialog, control.ControlId, (mask & control.Bit) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

template <size_t Count>
std::uint32_t MaskFromChecks(HWND dialog, const MaskControl (&controls)[Count])
{
    std::uint32_t mask = 0;
    for (const MaskControl& control : controls)
        if (IsDlgButtonChecked(dialog, control.ControlId) != 0)
            mask |= control.Bit;
    return mask;
}

void InitDialog(HWND dialog)
{
    LoadSettingsFromRegistry();

    int colourButton = IDC_COLOUR_MEDIUM;
    if (Settings.ColourOption == COLOUR_HIGH)
        colourButton = IDC_COLOUR_HIGH;
    else if (Settings.ColourOption == COLOUR_LOW)
        colourButton = IDC_COLOUR_LOW;
    CheckRadioButton(dialog, IDC_COLOUR_HIGH, IDC_COLOUR_LOW, colourButton);

    // Each of these makes its edit notify, so the values just written pass
    // through the entry checks below.
    SetDlgItemInt(dialog, IDC_OBJECT_SIZE, PercentFor(Settings.RadiusFactor), FALSE);
    SetDlgItemInt(dialog, IDC_IMAGES_PER_SEC, ImagesPerSecFor(Settings.TimerInterval), FALSE);

    // A stored value other than 0 or 1 shows as ticked rather than as an
    // undefined third state.
    CheckDlgButton(dialog, IDC_JOIN_THE_DOTS, Settings.JoinTheDots != 0 ? BST_CHECKED : BST_UNCHECKED);

    ShowMask(dialog, SHAPE_CONTROLS, Settings.ObjectShape);
    ShowMask(dialog, ROTATION_CONTROLS, Settings.ObjectRotation);
    ShowMask(dialog, ZOOM_CONTROLS, Settings.ZoomOption);
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
    MessageBoxA(nullptr, IMAGES_REFUSED_TEXT, IMAGES_REFUSED_CAPTION, WARNING_FLAGS);
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
    MessageBoxA(nullptr, SIZE_REFUSED_TEXT, SIZE_REFUSED_CAPTION, WARNING_FLAGS);
}

// RadiusFactor and TimerInterval are already current from the edits; the masks
// and the colour are read from the controls.
void SaveAll(HWND dialog)
{
    SettingsValueStore& store = RegistryStore();
    SaveRadiusFactor(store);
    SaveImagesPerSec(store);
    SaveObjectShape(store, MaskFromChecks(dialog, SHAPE_CONTROLS));
    SaveObjectRotation(store, MaskFromChecks(dialog, ROTATION_CONTROLS));
    SaveZoomOption(store, MaskFromChecks(dialog, ZOOM_CONTROLS));

    Settings.JoinTheDots = IsDlgButtonChecked(dialog, IDC_JOIN_THE_DOTS);
    SaveJoinTheDots(store);

    if (IsDlgButtonChecked(dialog, IDC_COLOUR_HIGH) != 0)
        SaveColourOption(store, COLOUR_HIGH);
    else if (IsDlgButtonChecked(dialog, IDC_COLOUR_MEDIUM) != 0)
        SaveColourOption(store, COLOUR_MEDIUM);
    else if (IsDlgButtonChecked(dialog, IDC_COLOUR_LOW) != 0)
        SaveColourOption(store, COLOUR_LOW);
}

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return TRUE;  // let the dialog manager set the focus

    case WM_COMMAND:
        // Only the control id matters: the edits are checked on every
        // notification, whatever its code.
        switch (LOWORD(wParam)) {
        case IDOK:
            SaveAll(dialog);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_IMAGES_PER_SEC:
            CheckImagesPerSec(dialog);
            return FALSE;
        case IDC_OBJECT_SIZE:
            CheckObjectSize(dialog);
            return FALSE;
        default:
            return FALSE;
        }

    default:
        return FALSE;
    }
}

INT_PTR RunConfigDialog(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), owner, ConfigDialogProc, 0);
}
