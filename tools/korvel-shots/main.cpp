// korvel-shots [OUTDIR]: renders every dialog template of the resource scripts
// to OUTDIR/dialog-<template id>.png, a few dialogs as the program fills them
// to OUTDIR/filled-<template id>.png, the front panel of every sample model in
// a few port states to OUTDIR/panel-<model>-<state>.png (blanks in the model
// name as '-'), and writes OUTDIR/index.html, which lists each picture with
// its caption (OUTDIR defaults to build/shots).
#include "tools/korvel-shots/DialogShot.h"
#include "tools/korvel-shots/PanelShot.h"
#include "tools/korvel-shots/ReportDemoShot.h"

#include "app/CDeviceProfile.h"
#include "common/Globals.h"
#include "platform/ui/ResourceStore.h"
#include "resources/report_demo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// The sample models' folders (each with its User.ini), by name.
std::vector<std::filesystem::path> SampleModelFolders()
{
    std::vector<std::filesystem::path> folders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(KORVEL_SOURCE_DIR) / "resources" / "models", error)) {
        if (std::filesystem::exists(entry.path() / "User.ini"))
            folders.push_back(entry.path());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/shots");
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "korvel-shots: cannot create %s\n", qPrintable(out));
        return 1;
    }
    const ResourceStore& store = ResourceStore::Instance();
    for (const std::string& error : store.Errors())
        std::fprintf(stderr, "korvel-shots: %s\n", error.c_str());

    QString html;
    QTextStream page(&html);
    page << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Dialog templates</title>\n"
         << "<style>body{font-family:sans-serif;background:#f4f4f4}figure{display:inline-block;vertical-align:top;"
         << "margin:12px;padding:8px;background:#fff;border:1px solid #ccc}figcaption{margin-top:6px}</style>\n"
         << "</head><body>\n<h1>Dialog templates</h1>\n";
    int failures = 0;
    int pictures = 0;
    const auto add = [&](UINT id, const DialogShot& shot, bool rendered, const QString& file, const QString& note) {
        if (!rendered || !shot.Image().save(QDir(out).filePath(file))) {
            std::fprintf(stderr, "korvel-shots: dialog %u could not be rendered\n", id);
            ++failures;
            return;
        }
        ++pictures;
        page << "<figure><img src=\"" << file << "\" alt=\"dialog " << id << "\"><figcaption>" << id << ": "
             << shot.Caption().toHtmlEscaped() << note.toHtmlEscaped() << "</figcaption></figure>\n";
    };
    for (UINT id : store.DialogIds()) {
        DialogShot shot(id);
        add(id, shot, shot.Render(), QStringLiteral("dialog-%1.png").arg(id), QString());
    }

    // Dialogs as the program fills them.
    page << "<h1>Filled by the program</h1>\n";
    {
        ReportDemoShot dialog;
        DialogShot shot(IDD_REPORT_DEMO);
        add(IDD_REPORT_DEMO, shot, shot.Render(dialog), QStringLiteral("filled-%1.png").arg(IDD_REPORT_DEMO),
            QStringLiteral(", rows with Delete buttons"));
    }
    page << "<h1>Front panels</h1>\n";
    g_strDeviceIP = "192.0.2.10";
    int panels = 0;
    for (const std::filesystem::path& folder : SampleModelFolders()) {
        const std::string model = folder.filename().string();
        std::vector<PanelShot::State> states{PanelShot::State::Links, PanelShot::State::Disabled,
                                             PanelShot::State::Down};
        if (CDeviceProfile::IsPoeModel(model))
            states.push_back(PanelShot::State::Poe);
        for (PanelShot::State state : states) {
            PanelShot shot(folder.string(), state);
            const QString file = QStringLiteral("panel-%1-%2.png")
                                     .arg(QString::fromStdString(model).replace(' ', '-'), PanelShot::StateName(state));
            if (!shot.Render() || !shot.Image().save(QDir(out).filePath(file))) {
                std::fprintf(stderr, "korvel-shots: the panel of %s could not be rendered\n", model.c_str());
                ++failures;
                continue;
            }
            page << "<figure><img src=\"" << file << "\" alt=\"" << file << "\"><figcaption>"
                 << shot.Caption().toHtmlEscaped() << ": " << PanelShot::StateName(state) << "</figcaption></figure>\n";
            ++panels;
        }
    }
    page << "</body></html>\n";
    QFile index(QDir(out).filePath("index.html"));
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "korvel-shots: cannot write %s\n", qPrintable(index.fileName()));
        return 1;
    }
    index.write(html.toUtf8());
    std::printf("korvel-shots: %d dialog pictures and %d panel pictures in %s\n", pictures, panels, qPrintable(out));
    return failures == 0 && store.Errors().empty() ? 0 : 1;
}
