// A prepared-pages store for the preview tests: pages of given sizes
// that draw their frame and their text lines with plain QPainter calls
// (so the text search sees them), counting every drawing, click and
// operation the preview asks for.
#pragma once

#include "platform/error.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "tests/report/model/stubengine.h"

#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace bralvo::report::testing {

struct TestText {
    QString text;
    QPoint at; // top-left in page pixels at zoom 1
};

struct ObjectOverCall {
    int page;
    Qt::MouseButton button;
    bool click;
};

class TestStore : public StubPreviewPages {
public:
    using StubPreviewPages::StubPreviewPages;

    std::vector<QSize> sizes;
    std::vector<std::vector<TestText>> texts;
    int drawCalls = 0;
    int printCalls = 0;
    int exportCalls = 0;
    std::vector<ObjectOverCall> objectOver;
    QStringList savedFiles;
    QStringList loadedFiles;
    bool failLoading = false;
    std::vector<int> modifiedPages;

    void addPages(int count, QSize size = QSize(794, 1123))
    {
        for (int i = 0; i < count; ++i)
            addPage(size, {});
    }
    void addPage(QSize size, std::vector<TestText> lines)
    {
        sizes.push_back(size);
        texts.push_back(std::move(lines));
        pages.push_back(std::make_unique<TrpReportPage>(nullptr));
    }

    int GetCount() const override { return int(sizes.size()); }
    QPoint GetPageSize(int index) override
    {
        const QSize s = sizes.at(size_t(index));
        return QPoint(s.width(), s.height());
    }
    void Clear() override
    {
        sizes.clear();
        texts.clear();
        pages.clear();
    }
    void AddEmptyPage(int index) override
    {
        const size_t at = size_t(qBound(0, index, GetCount()));
        sizes.insert(sizes.begin() + at, QSize(794, 1123));
        texts.insert(texts.begin() + at, std::vector<TestText>{});
        pages.insert(pages.begin() + at, std::make_unique<TrpReportPage>(nullptr));
    }
    void DeletePage(int index) override
    {
        sizes.erase(sizes.begin() + index);
        texts.erase(texts.begin() + index);
        pages.erase(pages.begin() + index);
    }
    void DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override
    {
        ++drawCalls;
        const QSize s = sizes.at(size_t(index));
        canvas.save();
        canvas.translate(offsetX, offsetY);
        canvas.scale(scaleX, scaleY);
        canvas.setPen(Qt::black);
        canvas.drawRect(QRect(20, 20, s.width() - 40, s.height() - 40));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        canvas.setFont(font);
        for (const TestText &t : texts.at(size_t(index)))
            canvas.drawText(t.at + QPoint(0, 12), t.text);
        canvas.restore();
    }
    void ObjectOver(int index, int, int, Qt::MouseButton button, Qt::KeyboardModifiers, double, int, int,
                    bool click, Qt::CursorShape &cursor) override
    {
        objectOver.push_back({index, button, click});
        cursor = Qt::PointingHandCursor;
    }
    void SaveToFile(const QString &fileName) override { savedFiles << fileName; }
    bool LoadFromFile(const QString &fileName, bool) override
    {
        loadedFiles << fileName;
        if (failLoading)
            throw bralvo::Error(QStringLiteral("Invalid file format"));
        addPages(2);
        return true;
    }
    void ModifyPage(int index, TrpReportPage *) override { modifiedPages.push_back(index); }
    bool Print() override
    {
        ++printCalls;
        return true;
    }
    bool Export(TrpCustomExportFilter *) override
    {
        ++exportCalls;
        return true;
    }
};

// A report whose store is a Store made through the machinery; the engine
// is a stub on its final pass.
template<class Store>
struct ReportOver {
    Store *store = nullptr;
    std::unique_ptr<TrpReport> report;
    ReportOver()
    {
        const TrpReportMachinery saved = reportMachinery();
        TrpReportMachinery m = saved;
        m.createEngine = [](TrpReport &r) { return std::make_unique<StubEngine>(&r); };
        m.createPreviewPages = [this](TrpReport &r) {
            auto s = std::make_unique<Store>(&r);
            store = s.get();
            return std::unique_ptr<TrpCustomPreviewPages>(std::move(s));
        };
        setReportMachinery(m);
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
        setReportMachinery(saved);
        if (report->Engine())
            report->Engine()->SetFinalPass(true);
    }
};

using StoreReport = ReportOver<TestStore>;

} // namespace bralvo::report::testing
