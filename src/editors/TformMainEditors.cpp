#include "app/TformMain.h"

#include "TformVersion.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"

#include <QPlainTextEdit>
#include <QTabWidget>

void TformMain::VersionPatch1Click()
{
    if (formVersion)
        showOver(formVersion);
}

bool TformMain::showInNotepad(const QString &fileName)
{
    const std::optional<QStringList> lines = TextFiles::readLines(fileName);
    if (!lines) {
        m_platform.messages.show(MsgType::Error, fileNotFoundMessage(fileName), MsgButtons::Ok);
        return false;
    }
    memoNotepad->clear();
    memoNotepad->setPlainText(lines->join(QLatin1Char('\n')));
    pageMain->setCurrentWidget(pageNotepad);
    return true;
}
