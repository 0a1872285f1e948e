// korvel-shots [OUTDIR]: renders every dialog template of the resource scripts
// to OUTDIR/dialog-<template id>.png and writes OUTDIR/index.html, which lists
// each picture with its caption (OUTDIR defaults to build/shots).
#include "tools/korvel-shots/DialogShot.h"

#include "platform/ui/ResourceStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

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
    for (UINT id : store.DialogIds()) {
        DialogShot shot(id);
        const QString file = QStringLiteral("dialog-%1.png").arg(id);
        if (!shot.Render() || !shot.Image().save(QDir(out).filePath(file))) {
            std::fprintf(stderr, "korvel-shots: dialog %u could not be rendered\n", id);
            ++failures;
            continue;
        }
        page << "<figure><img src=\"" << file << "\" alt=\"dialog " << id << "\"><figcaption>" << id << ": "
             << shot.Caption().toHtmlEscaped() << "</figcaption></figure>\n";
    }
    page << "</body></html>\n";
    QFile index(QDir(out).filePath("index.html"));
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "korvel-shots: cannot write %s\n", qPrintable(index.fileName()));
        return 1;
    }
    index.write(html.toUtf8());
    std::printf("korvel-shots: %zu dialog pictures in %s\n", store.DialogIds().size() - failures, qPrintable(out));
    return failures == 0 && store.Errors().empty() ? 0 : 1;
}
