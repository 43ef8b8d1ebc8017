// What the rule editor and the ignore-rule editor share: the extension field with its label and
// hint, OK and Cancel, and the row of the main window's list that they show and store by the mode.
#pragma once
#include <string>
#include <vector>

#include "Form.h"

namespace zv {

class ExtensionEditor : public Form {
  protected:
    // fields: the ids of the edit fields, the extension's first, each showing one cell of a row
    // of list (the main window's; null while sorting).
    ExtensionEditor(const FormLayout &layout, HWND list, std::vector<int> fields);
    // An editor's layout: the extension's label, hint and field, then more, then the two buttons.
    static FormLayout EditorLayout(const char *caption, int label, int hint, int field,
                                   const ControlTable &more, int ok, int cancel);

    // On show: the caption of the mode, and the fields filled, in edit mode from the selected
    // row, else with texts; then the focus in the extension field.
    void ShowMode(const char *addCaption, const char *editCaption,
                  const std::vector<std::string> &texts);
    // The extension typed, every "." removed. False, after a warning, when the field is empty or
    // the settings file could not hold the extension exactly as it will be read back
    // (IsStorableKey: empty once the dots are gone, blanks at either end, "=", ...).
    bool ExtensionTyped(std::string &extension) const;
    // Stores a row by the mode: the selected row's cells in edit mode, a new row in add mode.
    void StoreRow(const std::vector<std::string> &cells);

    HWND list_;

  private:
    std::vector<int> fields_;
};

} // namespace zv
