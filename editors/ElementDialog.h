#pragma once
// The pattern every element dialog shares (Button, Pilot, Slider, Text), written once here, and
// the interface through which the dialogs reach the main window.
//
// A dialog edits one element slot of the current screen in place; there is no Cancel and no undo.
//  1. It is made afresh for each opening and run with exec(). Its constructor is the load step
//     (Form_Load): it makes the controls and fills the lists with signals blocked and nothing
//     selected. Once it is first on screen Form_Activate runs (DialogWindow); it copies the
//     element's records into the controls while `Loading` is true.
//  2. Setting a control in code runs its handler, exactly as a user's change does: handlers are
//     connected to currentIndexChanged, textChanged, toggled (never to activated). While the
//     controls are being filled the handlers meet the value that is already stored. A text box's
//     handler compares with the stored text the same way. Key-press rules go through OnKeyPress.
//  3. A handler stores its value through the accessor for `CurObj` and then calls LiveUpdate.
//     StoreListIndex does both for a list; a value equal to the stored one is not written again,
//     so that opening and closing a dialog leaves every byte of the project as it was.
//  4. LiveUpdate does nothing while `Loading`; otherwise it marks the project modified and has the
//     main window redraw the slot. A value the dialog changes by itself, or one stored only on
//     "Close", goes through Changed or StoreMarked instead.
//  5. Position and size lists hold "0" to "799" (FillPositions), the device list the device
//     addresses of the panel's range (FillDevices): list index = stored value. ShowIndex shows a
//     stored value; one no list can show leaves the list without selection, and a handler that
//     meets index -1 stores nothing. ResetDevice sets a device offset above the range to 0.
//  6. Closing, by "Close" (accept) or by the window's close box, runs Form_Unload, which sets the
//     kind's selection word to -1 when the element's slot is no longer in use.
//
// A new dialog derives from ElementDialog, passes its kind's selection word and redraw operation,
// builds its controls with the makers below and DialogWindow's (places in twips), and implements Form_Activate and
// InUse; the main window opens it from a row click through frmOrvel::OpenElementDialog.
#include "data/modOrvel.h"
#include "editors/DialogWindow.h"

#include <QComboBox>
#include <QPushButton>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace kx4 {

class Prompts;

// What the element dialogs need of the main window; the main window implements it.
class ElementHost {
public:
    // Redraw one slot of the current screen on the layout and in its settings list.
    virtual void UDButton(int iBNum) = 0;
    virtual void UDPilot(int iPNum) = 0;
    virtual void UDSlider(int iSNum) = 0;
    virtual void UDTitle(int iTNum) = 0;
    // Sets DataChanged and withdraws "Multi-Profile".
    virtual void MarkModified() = 0;

protected:
    ~ElementHost() = default;
};

class ElementDialog : public DialogWindow {
    Q_OBJECT
public:
    using Getter = int (modOrvel::*)(int) const;
    using Setter = void (modOrvel::*)(int, int);
    using Redraw = void (ElementHost::*)(int);

    // Form_Unload runs here, whichever way the window closes.
    void done(int result) override;

protected:
    // `selection` is the kind's selection word (&modOrvel::SelButton, ...), `redraw` its redraw
    // operation (&ElementHost::UDButton, ...). CurObj is read from the project now.
    ElementDialog(modOrvel& project, ElementHost& host, Prompts& prompts, i16 modOrvel::*selection, Redraw redraw,
                  QWidget* parent);

    // True while the element's slot is in use.
    virtual bool InUse() const = 0;

    void LiveUpdate();
    // Marks the project modified and redraws the slot, also while Loading.
    void Changed();
    // Runs `store` and marks the project modified when it changed an entry of the tables.
    void StoreMarked(const std::function<void()>& store);
    // Writes `value` for CurObj unless it is already stored.
    void Put(Getter get, Setter set, int value);
    // A list handler: nothing for index -1, else Put and LiveUpdate.
    void StoreListIndex(int index, Getter get, Setter set);
    using TextGetter = std::string (modOrvel::*)(int) const;
    using TextSetter = void (modOrvel::*)(int, std::string_view);
    // A text box handler: writes `text` for CurObj unless it is stored already, then LiveUpdate.
    void StoreText(const QString& text, TextGetter get, TextSetter set);
    // The key-press rule of the caption and text boxes: a typed comma is discarded.
    static int NoComma(int KeyAscii) { return KeyAscii == ',' ? 0 : KeyAscii; }
    // Sets a device offset above GetDevRange to 0; true when a stored value changed (then Changed).
    bool ResetDevice(Getter get, Setter set);

    // --- the rows every element dialog has; places in twips
    struct Row {
        QLabel* label;
        QComboBox* list;
    };
    // A label at left 120 and its list at `listLeft`, both at `top`; the list runs `handler`.
    template <class Dialog>
    Row MakeRow(const char* labelName, const QString& caption, const char* listName, int top,
                void (Dialog::*handler)(int), int labelWidth = 1335, int listLeft = 1560, int listWidth = 1215)
    {
        Row row{MakeLabel(this, labelName, caption, 120, top, labelWidth), MakeList(this, listName, listLeft, top, listWidth)};
        connect(row.list, &QComboBox::currentIndexChanged, static_cast<Dialog*>(this), handler);
        return row;
    }
    // The "Brivane Device" row every element dialog has, at `top`.
    template <class Dialog>
    QComboBox* MakeDeviceRow(int top, void (Dialog::*handler)(int))
    {
        return MakeRow("lblDevice", "Brivane Device", "cboDevice", top, handler, 1695, 1920, 855).list;
    }
    struct RemoveAndClose {
        QPushButton* cmdUnused;
        QPushButton* cmdClose;
    };
    // The remove button (captioned `removeCaption`) at left 120 and "Close" at left 1800, both at `top`.
    template <class Dialog>
    RemoveAndClose MakeRemoveAndClose(const QString& removeCaption, int top, void (Dialog::*remove)(), void (Dialog::*close)())
    {
        RemoveAndClose b{MakeButton(this, "cmdUnused", removeCaption, 120, top, 1335), MakeButton(this, "cmdClose", "Close", 1800, top, 975)};
        connect(b.cmdUnused, &QPushButton::clicked, static_cast<Dialog*>(this), remove);
        connect(b.cmdClose, &QPushButton::clicked, static_cast<Dialog*>(this), close);
        return b;
    }
    // Every key press that types a character into `box` goes to `keyPress` first, with the
    // character's code; the key passes when it returns the code, and is discarded when it returns 0.
    void OnKeyPress(QWidget* box, std::function<int(int keyAscii)> keyPress);

    // --- lists
    // Each list cleared and filled with "0" to "799".
    static void FillPositions(std::initializer_list<QComboBox*> lists);
    // Cleared and filled with the device addresses for offsets 0 to GetDevRange.
    void FillDevices(QComboBox* list) const;
    // Cleared and filled with `items`, nothing selected.
    static void FillTexts(QComboBox* list, const std::vector<std::string>& items);
    // Selects `value`; runs the handler when the selection changes. A value the list cannot show
    // leaves it without selection and runs no handler.
    static void ShowIndex(QComboBox* list, int value);

    modOrvel& m_;
    ElementHost& host_;
    Prompts& prompts_;
    const int CurObj;
    bool Loading = false;

private:
    // Sets the selection word to -1 when the slot is no longer in use.
    void Form_Unload();

    i16 modOrvel::*selection_;
    Redraw redraw_;
};

} // namespace kx4
