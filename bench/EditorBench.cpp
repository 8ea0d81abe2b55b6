// The switch editor's figures: opening it on a large panel, and saving one switch.
#include "EditorBench.h"

#include "BenchTiming.h"

#include "GeneratedDatabase.h"
#include "app/TIniFile.h"
#include "app/TformMain.h"
#include "editors/SwitchDatabase.h"
#include "editors/TformSwitches.h"
#include "switches/SwitchPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

void printEditorFigures(BenchPlatform &platform)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    const ProgramFiles files(dir.path());
    writeFile(files.patchIni(), generatedPatchIni(1000));
    writeFile(files.versionIni(), generatedVersionIni());
    writeFile(files.settingsIni(), QStringLiteral("[dvs]\r\nversion=ver5\r\n"));

    TformMain window(files, platform.platform());
    window.resize(1000, 700);
    window.show();
    window.CreateSwitches();
    window.formSwitches = new TformSwitches(files, platform.platform(), window);
    QCoreApplication::processEvents();
    if (window.scrlMain->entries().size() != 1000) {
        std::fprintf(stderr, "built %zu of 1000 switches\n", window.scrlMain->entries().size());
        std::exit(2);
    }

    const double openMs = medianMs(
        [&] {
            window.StartDesignMode();
            QCoreApplication::processEvents();
        },
        [&] {
            // Left as the user leaves it unchanged: by Quit, without a question.
            window.formSwitches->butnCancelClick();
            QCoreApplication::processEvents();
        });
    if (window.formSwitches->cboxSwitchesList->count() != 1000) {
        std::fprintf(stderr, "the editor lists %d of 1000 switches\n",
                     window.formSwitches->cboxSwitchesList->count());
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
}
