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
                     const QString &filter)
{
    if (handler())
        return handler()(parent, caption);
    return QFileDialog::getSaveFileName(parent, caption, QDir::home().filePath(suggestedName),
                                        filter);
}

void SetSaveFileNameHandler(SaveFileNameHandler newHandler)
{
    handler() = std::move(newHandler);
}
