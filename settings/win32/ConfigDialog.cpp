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
// A stored choice that is none of the choices shows as the middle one
// (colour: Medium).
const int UNKNOWN_CHOICE_SHOWN = 1;

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

void ShowChoice(HWND dialog, const SettingFacts& facts, std::uint32_t stored)
{
    int button = facts.Choices[UNKNOWN_CHOICE_SHOWN].ControlId;
    for (int i = 0; i < facts.ChoiceCount; i++)
        if (stored == facts.Choices[i].Value)
            button = facts.Choices[i].ControlId;
    CheckRadioButton(dialog, facts.Choices[0].ControlId, facts.Choices[facts.ChoiceCount - 1].ControlId, button);
}

void InitDialog(HWND dialog)
{
    LoadSettingsFromRegistry();
    for (const SettingFacts& facts : SETTINGS_TABLE) {
        std::uint32_t stored = facts.Stored(Settings);
        switch (facts.Kind) {
        // Each edit notifies, so the value just written passes through the
        // entry check below.
        case SettingKind::Number: SetDlgItemInt(dialog, facts.ControlId, stored, FALSE); break;
        // A stored value other than 0 or 1 shows as ticked rather than as an
        // undefined third state.
        case SettingKind::Flag:
            CheckDlgButton(dialog, facts.ControlId, stored != 0 ? BST_CHECKED : BST_UNCHECKED);
            break;
        case SettingKind::Bits: ShowMask(dialog, facts, stored); break;
        case SettingKind::Choice: ShowChoice(dialog, facts, stored); break;
        }
    }
}

// The edit of Number row `index`, checked on every notification.
void CheckNumberEdit(HWND dialog, int index)
{
    const SettingFacts& facts = SETTINGS_TABLE[index];
    BOOL isNumber = FALSE;
    UINT entry = GetDlgItemInt(dialog, facts.ControlId, &isNumber, TRUE);
    if (!CheckNumberEntry(Settings, index, isNumber != FALSE, entry))
        return;
    // Putting the previous value back notifies again; it passes the check.
    SetDlgItemInt(dialog, facts.ControlId, facts.Stored(Settings), FALSE);
    MessageBoxA(nullptr, RefusedEntryText(facts).c_str(), facts.Refused, WARNING_FLAGS);
}

// The Number row whose edit is `controlId`, or -1.
int NumberEditIndex(int controlId)
{
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++)
        if (SETTINGS_TABLE[i].Kind == SettingKind::Number && SETTINGS_TABLE[i].ControlId == controlId)
            return i;
    return -1;
}

// The numbers are already current from the edits; the flags, masks and
// choices are read from the controls.
void SaveAll(HWND dialog)
{
    SettingsValueStore& store = RegistryStore();
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        const SettingFacts& facts = SETTINGS_TABLE[i];
        switch (facts.Kind) {
        case SettingKind::Number: SaveSetting(store, i); break;
        case SettingKind::Flag:
            facts.Take(Settings, IsDlgButtonChecked(dialog, facts.ControlId));
            SaveSetting(store, i);
            break;
        case SettingKind::Bits: SaveStoredValue(store, i, MaskFromChecks(dialog, facts)); break;
        case SettingKind::Choice:
            for (int c = 0; c < facts.ChoiceCount; c++)
                if (IsDlgButtonChecked(dialog, facts.Choices[c].ControlId) != 0) {
                    SaveStoredValue(store, i, facts.Choices[c].Value);
                    break;
                }
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
        default: {
            int index = NumberEditIndex(LOWORD(wParam));
            if (index >= 0)
                CheckNumberEdit(dialog, index);
            return FALSE;
        }
        }

    default: return FALSE;
    }
}

INT_PTR RunConfigDialog(HINSTANCE instance, HWND owner)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONFIG), owner, ConfigDialogProc, 0);
}
