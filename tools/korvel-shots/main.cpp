// korvel-shots [OUTDIR]: renders every dialog template of the resource scripts
// to OUTDIR/dialog-<template id>.png, a few dialogs as the program fills them
// to OUTDIR/filled-<template id>.png, the front panel of every sample model in
// a few port states to OUTDIR/panel-<model>-<state>.png (blanks in the model
// name as '-'), and writes OUTDIR/index.html, which lists each picture with
// its caption (OUTDIR defaults to build/shots).
//
// korvel-shots --live [MODEL [OUTDIR]]: opens every feature dialog that the
// main window's command table opens, by its command, on the main window of the
// sample model MODEL (default KSX-Puffin) managing a korvel-sim of its own with
// the model's data, as scripts/demo runs it; once the dialog's reads have
// ended, saves it to OUTDIR/live-<template id>.png, and lists the pictures in
// OUTDIR/live.html (OUTDIR defaults to build/shots/live-MODEL, blanks as '-').
// The dialogs run in a folder of the run's own under the temporary folder
// (removed at the end), on copies of the files the module reads from its
// current folder: the tool never writes into the source tree.
#include "tools/korvel-shots/DialogShot.h"
#include "tools/korvel-shots/LiveShots.h"
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
#include <cstring>
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

// The start of an index page of pictures.
void BeginPage(QTextStream& page, const QString& title)
{
    page << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" << title << "</title>\n"
         << "<style>body{font-family:sans-serif;background:#f4f4f4}figure{display:inline-block;vertical-align:top;"
         << "margin:12px;padding:8px;background:#fff;border:1px solid #ccc}figcaption{margin-top:6px}</style>\n"
         << "</head><body>\n<h1>" << title << "</h1>\n";
}

bool WritePage(const QString& path, const QString& html)
{
    QFile index(path);
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "korvel-shots: cannot write %s\n", qPrintable(path));
        return false;
    }
    index.write(html.toUtf8());
    return true;
}

// korvel-shots --live: the feature dialogs, filled from the simulated switch.
int RenderLive(const std::string& model, const QString& out)
{
    const std::filesystem::path folder = std::filesystem::path(KORVEL_SOURCE_DIR) / "resources" / "models" / model;
    if (!std::filesystem::exists(folder / "User.ini")) {
        std::fprintf(stderr, "korvel-shots: no sample model '%s' (the folders of resources/models/)\n", model.c_str());
        return 2;
    }
    LiveShots live(folder.string());
    if (!live.Render()) {
        std::fprintf(stderr, "korvel-shots: the simulated switch, the run's folder or the main window could not be started\n");
        return 1;
    }
    QString html;
    QTextStream page(&html);
    BeginPage(page, QStringLiteral("Feature dialogs on the simulated %1").arg(QString::fromStdString(model)));
    int failures = 0;
    for (const LiveShots::Picture& picture : live.Pictures()) {
        const QString file = QStringLiteral("live-%1.png").arg(picture.templateId);
        if (!picture.image.save(QDir(out).filePath(file))) {
            std::fprintf(stderr, "korvel-shots: %s could not be saved\n", qPrintable(file));
            ++failures;
            continue;
        }
        page << "<figure><img src=\"" << file << "\" alt=\"dialog " << picture.templateId << "\"><figcaption>"
             << picture.templateId << ": " << picture.caption.toHtmlEscaped() << "</figcaption></figure>\n";
    }
    page << "</body></html>\n";
    if (!WritePage(QDir(out).filePath("live.html"), html))
        return 1;
    std::printf("korvel-shots: %d live dialog pictures in %s\n", static_cast<int>(live.Pictures().size()) - failures,
                qPrintable(out));
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool live = argc > 1 && std::strcmp(argv[1], "--live") == 0;
    const std::string model = live && argc > 2 ? argv[2] : "KSX-Puffin";
    const int outArg = live ? 3 : 1;
    const QString out = argc > outArg ? QString::fromLocal8Bit(argv[outArg])
                        : live        ? QStringLiteral("build/shots/live-%1").arg(QString::fromStdString(model).replace(' ', '-'))
                                      : QStringLiteral("build/shots");
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "korvel-shots: cannot create %s\n", qPrintable(out));
        return 1;
    }
    const ResourceStore& store = ResourceStore::Instance();
    for (const std::string& error : store.Errors())
        std::fprintf(stderr, "korvel-shots: %s\n", error.c_str());
    if (live)
        return RenderLive(model, out);

    QString html;
    QTextStream page(&html);
    BeginPage(page, QStringLiteral("Dialog templates"));
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
    if (!WritePage(QDir(out).filePath("index.html"), html))
        return 1;
    std::printf("korvel-shots: %d dialog pictures and %d panel pictures in %s\n", pictures, panels, qPrintable(out));
    return failures == 0 && store.Errors().empty() ? 0 : 1;
}
