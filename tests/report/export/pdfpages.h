// Pages made in code for the PDF tests: an A4 report page, views placed
// on it, a small outline tree, and writing a document to bytes.
#pragma once

#include "platform/stream.h"
#include "report/export/trppdffile.h"
#include "report/model/trpenginebases.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpshapeview.h"

#include <QBuffer>
#include <QImage>
#include <memory>
#include <vector>

namespace bralvo::report::testing {

inline std::unique_ptr<TrpReportPage> a4Page()
{
    auto page = std::make_unique<TrpReportPage>(nullptr);
    page->SetPaperSize(9);
    // 10 mm margins move PDF coordinates by 0.5 pt (millimetres x 0.05).
    page->SetLeftMargin(10);
    page->SetTopMargin(10);
    return page;
}

template <class V>
V *place(TrpComponent &parent, double left, double top, double width, double height)
{
    auto *view = new V(&parent);
    view->SetBounds(left, top, width, height);
    return view;
}

inline TrpMemoView *memoOn(TrpComponent &parent, const QString &text, double left = 40, double top = 40,
                           double width = 400, double height = 40)
{
    auto *memo = place<TrpMemoView>(parent, left, top, width, height);
    memo->SetText(text);
    return memo;
}

// A picture view showing a two-colour image.
inline TrpPictureView *pictureOn(TrpComponent &parent, double left, double top, double width, double height)
{
    auto *view = place<TrpPictureView>(parent, left, top, width, height);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, qRgb(20, 40, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    platform::MemoryStream stream(png);
    view->LoadPictureFromStream(stream);
    view->SetKeepAspectRatio(false);
    return view;
}

// The whole document as bytes.
inline QByteArray writeDocument(TrpPDFFile &file)
{
    platform::MemoryStream out;
    file.Write(out);
    return out.data();
}

// One page holding Views, exported in their order.
inline QByteArray documentOf(TrpPDFFile &file, TrpReportPage &page)
{
    TrpPDFPage *pdfPage = file.AddPdfPage(page);
    for (TrpComponent *c : page.Objects()) {
        if (auto *view = dynamic_cast<TrpView *>(c))
            file.ExportViewToPdf(*pdfPage, *view);
    }
    return writeDocument(file);
}

// An outline held in memory: items (text, page, top) with children.
struct OutlineItem {
    QString text;
    int page = 0;
    int top = 0;
    std::vector<OutlineItem> children;
};

class TestOutline : public TrpCustomOutline {
public:
    explicit TestOutline(std::vector<OutlineItem> items) : TrpCustomOutline(nullptr) { m_root.children = std::move(items); }
    int ItemCount() override { return int(current().children.size()); }
    void AddItem(const QString &, int) override {}
    void DescendTo(int index) override { m_path.push_back(index); }
    void LevelRoot() override { m_path.clear(); }
    void LevelUp() override
    {
        if (!m_path.empty())
            m_path.pop_back();
    }
    void GetItemInfo(int index, QString &text, int &page, int &top) override
    {
        const OutlineItem &item = current().children.at(size_t(index));
        text = item.text;
        page = item.page;
        top = item.top;
    }
    void ShiftItems(TrpXMLItem *, int) override {}
    TrpXMLItem *GetCurPosition() override { return nullptr; }

private:
    const OutlineItem &current() const
    {
        const OutlineItem *item = &m_root;
        for (int i : m_path)
            item = &item->children.at(size_t(i));
        return *item;
    }
    OutlineItem m_root;
    std::vector<int> m_path;
};

} // namespace bralvo::report::testing
