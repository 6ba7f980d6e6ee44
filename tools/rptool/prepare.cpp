// rptool prepare REPORT.xml [--data NAME=FILE.csv ...] [--values FILE.ini] [--shot OUT.png] --out OUT.rp3
// Each CSV file becomes a user dataset of that name (first line: field
// names); the INI file answers the report's value requests by key name
// (sections ignored). With --shot the first dialog page's window is
// drawn into OUT.png once it runs and then answered with OK, so a run
// without a user still finishes. Exit 0 on success, 1 when preparing failed (the
// errors go to stderr), 2 for bad usage or unreadable input.
#include "prepare.h"

#include "platform/error.h"
#include "platform/textcodec.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

using bralvo::platform::Variant;
using namespace bralvo::report;

namespace {

struct Table {
    QStringList fields;
    QList<QStringList> rows;
};

// Numbers as numbers (so totals add up), everything else as text.
Variant valueOf(const QString &text)
{
    bool ok = false;
    const int i = text.toInt(&ok);
    if (ok)
        return Variant(i);
    const double d = text.toDouble(&ok);
    if (ok && !text.trimmed().isEmpty())
        return Variant(d);
    return Variant(text);
}

// One CSV record from Pos on (double quotes may hold commas, line breaks
// and doubled quotes); Pos moves past its line end.
QStringList csvRecord(const QString &text, qsizetype &pos)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (quoted) {
            if (c == u'"' && pos + 1 < text.size() && text.at(pos + 1) == u'"') {
                field += u'"';
                ++pos;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && pos + 1 < text.size() && text.at(pos + 1) == u'\n')
                ++pos;
            ++pos;
            break;
        } else {
            field += c;
        }
    }
    fields.append(field);
    return fields;
}

bool readCsv(const QString &path, Table &table)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString text = bralvo::platform::decodeText(f.readAll());
    qsizetype pos = 0;
    table.fields = csvRecord(text, pos);
    while (pos < text.size()) {
        const QStringList row = csvRecord(text, pos);
        if (row.size() == 1 && row.first().isEmpty())
            continue;
        table.rows.append(row);
    }
    return true;
}

bool readValues(const QString &path, QHash<QString, QString> &values)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString text = bralvo::platform::decodeText(f.readAll());
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.startsWith(u'['))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            values.insert(line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
    }
    return true;
}

// Draws the first dialog page that runs into path and answers it with OK.
void pictureFirstDialog(TrpReport &report, const QString &path)
{
    report.Engine()->RunDialogHandler = [path, done = false](TrpPage *p) mutable {
        auto *page = static_cast<TrpDialogPage *>(p);
        QWidget *window = page->Window() ? page->Window()->Widget() : nullptr;
        if (!done && window) {
            done = true;
            auto *poll = new QTimer;
            poll->setInterval(200);
            QObject::connect(poll, &QTimer::timeout, [poll, page, window, path] {
                if (QApplication::activeModalWidget() != window)
                    return;
                poll->stop();
                poll->deleteLater();
                if (!window->grab().save(path, "PNG"))
                    QTextStream(stderr) << "rptool: cannot write " << path << "\n";
                page->SetModalResult(kDialogOk);
            });
            poll->start();
        }
        page->ShowModal();
    };
}

int fail(const QString &text)
{
    QTextStream(stderr) << "rptool: " << text << "\n";
    return 2;
}

} // namespace

int prepareCommand(const QStringList &args)
{
    QString reportFile, outFile, valuesFile, shotFile;
    QList<QPair<QString, QString>> data;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasNext = i + 1 < args.size();
        if (a == QLatin1String("--data") && hasNext && args[i + 1].contains(u'=')) {
            const QString spec = args[++i];
            data.append({spec.section(u'=', 0, 0), spec.section(u'=', 1)});
        } else if (a == QLatin1String("--values") && hasNext) {
            valuesFile = args[++i];
        } else if (a == QLatin1String("--shot") && hasNext) {
            shotFile = args[++i];
        } else if (a == QLatin1String("--out") && hasNext) {
            outFile = args[++i];
        } else if (!a.startsWith(QLatin1String("--")) && reportFile.isEmpty()) {
            reportFile = a;
        } else {
            return fail(QStringLiteral("unexpected argument: ") + a);
        }
    }
    if (reportFile.isEmpty() || outFile.isEmpty())
        return fail(QStringLiteral("prepare needs REPORT.xml and --out OUT.rp3"));
    QHash<QString, QString> values;
    if (!valuesFile.isEmpty() && !readValues(valuesFile, values))
        return fail(QStringLiteral("cannot read ") + valuesFile);

    // Datasets first, so the report links its bands to them by name.
    std::vector<std::unique_ptr<TrpUserDataSet>> dataSets;
    std::vector<std::unique_ptr<Table>> tables;
    for (const auto &[name, file] : data) {
        auto table = std::make_unique<Table>();
        if (!readCsv(file, *table))
            return fail(QStringLiteral("cannot read ") + file);
        auto ds = std::make_unique<TrpUserDataSet>(nullptr);
        TrpUserDataSet *raw = ds.get();
        try {
            raw->setName(name);
            raw->SetUserName(name);
        } catch (const bralvo::Error &e) {
            return fail(e.userText());
        }
        raw->SetRangeEnd(reCount);
        raw->SetRangeEndCount(int(table->rows.size()));
        raw->Fields()->setText(table->fields.join(QStringLiteral("\r\n")));
        const Table *t = table.get();
        raw->OnGetValue = [raw, t](const QString &field, Variant &value) {
            const qsizetype col = t->fields.indexOf(field);
            if (col >= 0 && raw->RecNo() >= 0 && raw->RecNo() < t->rows.size())
                value = valueOf(t->rows.at(raw->RecNo()).value(col));
        };
        dataSets.push_back(std::move(ds));
        tables.push_back(std::move(table));
    }

    auto report = std::make_unique<TrpReport>(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    if (!QFile::exists(reportFile))
        return fail(QStringLiteral("no such file: ") + reportFile);
    // A file that did not load (damaged, or refused as hostile) would
    // prepare as an empty report and pass for a good one.
    if (!report->LoadFromFile(reportFile) || report->ErrorList().count() > 0) {
        QTextStream err(stderr);
        for (int i = 0; i < report->ErrorList().count(); ++i)
            err << report->ErrorList()[i] << "\n";
        err << "rptool: cannot load " << reportFile << "\n";
        return 1;
    }
    for (const auto &ds : dataSets) {
        if (!report->GetDataset(ds->UserName()))
            report->DataSets()->Add(ds.get());
    }
    report->OnGetValue = [&values](const QString &name, Variant &value) {
        const auto it = values.constFind(name.toLower());
        if (it != values.constEnd())
            value = valueOf(*it);
    };
    if (!shotFile.isEmpty())
        pictureFirstDialog(*report, shotFile);
    const bool ok = report->PrepareReport();
    QTextStream err(stderr);
    for (int i = 0; i < report->ErrorList().count(); ++i)
        err << report->ErrorList()[i] << "\n";
    if (!ok)
        return 1;
    try {
        report->PreparedPages()->SaveToFile(outFile);
    } catch (const bralvo::Error &e) {
        return fail(e.userText());
    }
    return 0;
}
