#include "platform/Prompts.h"

#include "data/FileIO.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace kx4 {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// "*.KQC" gives "*.KQC *.kqc"; "*.*" gives "*".
QString CasePatterns(const QString& patterns)
{
    QStringList out;
    for (const QString& p : patterns.split(';', Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (t == "*.*" || t == "*") {
            out << "*";
            continue;
        }
        for (const QString& v : {t, t.toUpper(), t.toLower()})
            if (!out.contains(v))
                out << v;
    }
    return out.join(' ');
}

} // namespace

QString QtNameFilters(std::string_view filter)
{
    const QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        // The description names the Windows pattern; show the one that applies here.
        const qsizetype open = name.lastIndexOf('(');
        if (open > 0)
            name = name.left(open).trimmed();
        filters << QString("%1 (%2)").arg(name, CasePatterns(parts[i + 1]));
    }
    return filters.join(";;");
}

std::filesystem::path WithDefaultExtension(std::filesystem::path chosen, const std::string& extension)
{
    // As Qt's dialog decides: a name with a dot anywhere has an extension of its own.
    if (!extension.empty() && chosen.has_filename() && chosen.filename().string().find('.') == std::string::npos)
        chosen += "." + extension;
    return chosen;
}

MsgAnswer QtPrompts::Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons)
{
    QMessageBox::Icon qIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: qIcon = QMessageBox::NoIcon; break;
    case MsgIcon::Information: qIcon = QMessageBox::Information; break;
    case MsgIcon::Question: qIcon = QMessageBox::Question; break;
    case MsgIcon::Critical: qIcon = QMessageBox::Critical; break;
    case MsgIcon::Exclamation: qIcon = QMessageBox::Warning; break;
    }
    const auto qButtons = buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(qIcon, Q(title), Q(text), qButtons, parent_);
    const int pressed = box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    // Closing a question box with Escape or its close box answers No.
    return pressed == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

std::optional<std::filesystem::path> QtPrompts::FileDialog(const FileDialogRequest& request)
{
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    QFileDialog dlg(parent_, Q(request.title), QString::fromStdString(request.folder.string()));
    // Qt's own dialog: its filters ignore case and it behaves the same on every desktop.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog adds it before it asks about replacing a file, so it asks about the right one.
    if (save)
        dlg.setDefaultSuffix(Q(request.defaultExtension));
    const QString filters = QtNameFilters(request.filter);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters.split(";;"));
    const QString name = Q(request.fileName);
    if (!name.isEmpty() && !name.contains('*') && !name.contains('?'))
        dlg.selectFile(name);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dlg.selectedFiles().front();
    if (chosen.isEmpty())
        return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

void ShowPictureNotReadable(Prompts& prompts, const IoResult& failure)
{
    prompts.Message(MsgIcon::Information, "Picture Not Readable", failure.message, MsgButtons::Ok);
}

} // namespace kx4
