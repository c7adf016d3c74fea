#include "ui/filedialog.h"

#include <QDir>
#include <QFileDialog>

namespace {

SaveFileNameHandler &handler()
{
    static SaveFileNameHandler current;
    return current;
}

} // namespace

QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestedName,
                     const QString &filter, bool confirmOverwrite)
{
    if (handler())
        return handler()(parent, caption);
    const QFileDialog::Options options =
        confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    return QFileDialog::getSaveFileName(parent, caption, QDir::home().filePath(suggestedName),
                                        filter, nullptr, options);
}

void SetSaveFileNameHandler(SaveFileNameHandler newHandler)
{
    handler() = std::move(newHandler);
}
