// The switch editor's figures: opening it on a large panel, and saving one switch.
#include "EditorBench.h"

#include "BenchTiming.h"

#include "GeneratedDatabase.h"
#include "app/ProgramWindows.h"
#include "app/TformMain.h"
#include "editors/EditorCommands.h"
#include "editors/SwitchDatabase.h"
#include "editors/TformSwitches.h"
#include "ini/TIniFile.h"
#include "switches/SwitchCommands.h"
#include "switches/SwitchPanel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Milliseconds for the Links menu from `sections` sections of ten links, and
// for the Tools menu from `shortcuts` shortcuts, built first and built again.
struct MenuFigures
{
    double links;
    double tools;
    double toolsAgain;
};

MenuFigures menusMs(BenchPlatform &platform, int sections, int shortcuts)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    const ProgramFiles files(dir.path());
    QString links = QStringLiteral("[Data]\r\nversion=3\r\n");
    for (int s = 0; s < sections; ++s) {
        links += QStringLiteral("[Link_Section_%1]\r\n").arg(s);
        for (int k = 0; k < 10; ++k)
            links += QStringLiteral("Link_%1=PAGE|http://site%2.example.org/page%1.html\r\n").arg(k).arg(s);
    }
    writeFile(files.dataIni(), links);
    QString tools = QStringLiteral("[programs]\r\nnumber=%1\r\n").arg(shortcuts);
    for (int n = 1; n <= shortcuts; ++n)
        tools += QStringLiteral("display%1=Program %1\r\npath%1=C:\\Programs\\Tool%1\\tool.exe\r\n").arg(n);
    writeFile(files.toolIni(), tools);

    // Each menu as the start builds it, in a window of its own, and as an
    // edit builds it again once the event loop has run.
    std::unique_ptr<ProgramWindows> windows;
    const auto fresh = [&] {
        windows = std::make_unique<ProgramWindows>(files, platform.platform());
        windows->createMainWindow();
    };
    const auto settled = [] { QCoreApplication::processEvents(); };
    const double linksMs = medianMs([&] { windows->editors().AddLinks(); }, fresh);
    const double toolsMs = medianMs([&] { windows->editors().AddPrograms(); }, fresh);
    const double toolsAgainMs = medianMs([&] { windows->editors().AddPrograms(); }, settled);
    if (windows->editors().items().menuLinks->actions().size() != 1 ||
        windows->formMain().findChildren<QAction *>().size() < shortcuts)
        std::exit(2);
    return {linksMs, toolsMs, toolsAgainMs};
}

} // namespace

void printEditorFigures(BenchPlatform &platform)
{
    QTemporaryDir dir;
    const ProgramFiles files = writeGeneratedProgram(dir.path(), 1000, 5);

    ProgramWindows windows(files, platform.platform());
    TformMain &window = windows.createMainWindow();
    window.resize(1000, 700);
    window.show();
    windows.switches().CreateSwitches();
    windows.createSwitchesEditor();
    TformSwitches &editor = *windows.editors().formSwitches();
    QCoreApplication::processEvents();
    if (windows.switches().panel().entries().size() != 1000) {
        std::fprintf(stderr, "built %zu of 1000 switches\n", windows.switches().panel().entries().size());
        std::exit(2);
    }

    const double openMs = medianMs(
        [&] {
            windows.editors().StartDesignMode();
            QCoreApplication::processEvents();
        },
        [&] {
            // Left as the user leaves it unchanged: by Quit, without a question.
            editor.butnCancelClick();
            QCoreApplication::processEvents();
        });
    const auto *list = editor.findChild<QComboBox *>(QStringLiteral("cboxSwitchesList"));
    if (!list || list->count() != 1000) {
        std::fprintf(stderr, "the editor lists %d of 1000 switches\n", list ? list->count() : 0);
        std::exit(2);
    }

    TIniFile patch(files.patchIni());
    const QString name = QStringLiteral("switch500");
    // The rows the editor's grid holds: all but the two its lists set.
    SwitchDatabase::Rows rows = patch.snapshot().ReadWholeSection(name);
    rows.removeIf([](const auto &row) { return row.first == u"component" || row.first == u"version"; });
    const double saveMs = medianMs([&] {
        if (const auto problem = SwitchDatabase::rowsProblem(rows)) {
            std::fprintf(stderr, "%s\n", qPrintable(*problem));
            std::exit(2);
        }
        SwitchDatabase::saveSwitch(patch, name, QStringLiteral("v1"), 1, rows, QDate::currentDate());
    });

    std::printf("switch_editor_open_1000: %.1f ms\n", openMs);
    std::printf("switch_editor_save_1000: %.1f ms\n", saveMs);

    const MenuFigures at1000 = menusMs(platform, 1000, 1000);
    const MenuFigures at4000 = menusMs(platform, 4000, 4000);
    std::printf("links_menu_1000: %.1f ms\n", at1000.links);
    std::printf("links_menu_growth_4000_over_1000: %.2f x\n", at4000.links / at1000.links);
    std::printf("tools_menu_1000: %.1f ms\n", at1000.tools);
    std::printf("tools_menu_growth_4000_over_1000: %.2f x\n", at4000.tools / at1000.tools);
    std::printf("tools_menu_again_1000: %.1f ms\n", at1000.toolsAgain);
    std::printf("tools_menu_again_growth_4000_over_1000: %.2f x\n", at4000.toolsAgain / at1000.toolsAgain);
}
