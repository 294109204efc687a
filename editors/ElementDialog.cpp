#include "editors/ElementDialog.h"

#include "editors/ElementTexts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>

#include <vector>

namespace kx4 {
namespace {

// Hands each typed character of a text box to a key-press handler first.
class KeyPressFilter final : public QObject {
public:
    KeyPressFilter(QObject* parent, std::function<int(int)> keyPress) : QObject(parent), keyPress_(std::move(keyPress)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Focus moves and closing the window are not typing.
        if (text.isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape)
            return false;
        const int code = static_cast<int>(text.toUcs4().value(0));
        return keyPress_(code) == 0;
    }

private:
    std::function<int(int)> keyPress_;
};

const QStringList& PositionTexts()
{
    static const QStringList texts = [] {
        QStringList t;
        t.reserve(kPositionCount);
        for (int v = 0; v < kPositionCount; ++v)
            t << QString::number(v);
        return t;
    }();
    return texts;
}

// `list` cleared and filled with `items`, nothing selected, without running its handler.
void Fill(QComboBox* list, const QStringList& items)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

} // namespace

ElementDialog::ElementDialog(modOrvel& project, ElementHost& host, Prompts& prompts, i16 modOrvel::*selection,
                             Redraw redraw, QWidget* parent)
    : DialogWindow(parent), m_(project), host_(host), prompts_(prompts), CurObj(project.CurObj), selection_(selection),
      redraw_(redraw)
{
}

void ElementDialog::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void ElementDialog::Form_Unload()
{
    if (!InUse())
        m_.*selection_ = -1;
}

void ElementDialog::LiveUpdate()
{
    if (Loading)
        return;
    Changed();
}

void ElementDialog::Changed()
{
    host_.MarkModified();
    (host_.*redraw_)(CurObj);
}

void ElementDialog::StoreMarked(const std::function<void()>& store)
{
    const std::vector<i16> cfg(m_.PanelCfg.begin(), m_.PanelCfg.end());
    const std::vector<i16> dsn(m_.DesignCfg.begin(), m_.DesignCfg.end());
    store();
    if (!std::equal(cfg.begin(), cfg.end(), m_.PanelCfg.begin()) || !std::equal(dsn.begin(), dsn.end(), m_.DesignCfg.begin()))
        host_.MarkModified();
}

void ElementDialog::Put(Getter get, Setter set, int value)
{
    if ((m_.*get)(CurObj) != value)
        (m_.*set)(CurObj, value);
}

void ElementDialog::StoreListIndex(int index, Getter get, Setter set)
{
    if (index < 0)
        return;
    Put(get, set, index);
    LiveUpdate();
}

void ElementDialog::StoreText(const QString& text, TextGetter get, TextSetter set)
{
    const std::string utf8 = text.toStdString();
    if (utf8 != (m_.*get)(CurObj))
        (m_.*set)(CurObj, utf8);
    LiveUpdate();
}

bool ElementDialog::ResetDevice(Getter get, Setter set)
{
    if ((m_.*get)(CurObj) <= m_.GetDevRange())
        return false;
    (m_.*set)(CurObj, 0);
    // The change is the dialog's own: it must neither pass silently nor be lost.
    Changed();
    return true;
}

void ElementDialog::OnKeyPress(QWidget* box, std::function<int(int)> keyPress)
{
    box->installEventFilter(new KeyPressFilter(box, std::move(keyPress)));
}

void ElementDialog::FillPositions(std::initializer_list<QComboBox*> lists)
{
    for (QComboBox* list : lists)
        Fill(list, PositionTexts());
}

void ElementDialog::FillDevices(QComboBox* list) const
{
    FillTexts(list, DeviceItems(m_.GetBVAddress(), m_.GetDevRange()));
}

void ElementDialog::FillTexts(QComboBox* list, const std::vector<std::string>& items)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    Fill(list, texts);
}

void ElementDialog::ShowIndex(QComboBox* list, int value)
{
    if (value >= 0 && value < list->count()) {
        list->setCurrentIndex(value);
    } else {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(-1);
    }
}

} // namespace kx4
