// The band tree of a page (which data band is whose detail, header,
// footer and group) and the shift tree of a band (which objects move
// when an object above them grows).
#include "report/engine/trpengine.h"

#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"

#include <algorithm>

namespace bralvo::report {

namespace {

bool isDataLevel(int level)
{
    return level >= 6 && level <= 11;
}

bool hasDataSet(TrpBand *band)
{
    auto *db = dynamic_cast<TrpDataBand *>(band);
    return db && db->DataSet();
}

class TreeBuilder {
public:
    TreeBuilder(TrpReport *report, TrpReportPage *page, bool vertical, QList<TrpBand *> list)
        : m_report(report), m_page(page), m_vertical(vertical), m_list(std::move(list))
    {
    }

    void build()
    {
        groups();
        headersAndFooters();
        dataBands();
        for (TrpBand *b : m_list)
            error("enBandPos", b);
    }

private:
    void error(const char *key, TrpBand *band)
    {
        m_report->ErrorList().add(GetResources().Get(QString::fromLatin1(key)) + u' ' + band->name());
    }

    void groups()
    {
        for (int i = 0; i < m_list.size(); ++i) {
            if (!dynamic_cast<TrpGroupHeader *>(m_list[i]) ||
                (i > 0 && dynamic_cast<TrpGroupHeader *>(m_list[i - 1])))
                continue;
            int end = i;
            QList<TrpBand *> chain;
            while (end < m_list.size() && dynamic_cast<TrpGroupHeader *>(m_list[end]))
                chain.append(m_list[end++]);
            m_list[i]->SubBands = chain;
            TrpBand *data = nullptr;
            for (int j = end; j < m_list.size() && !data; ++j)
                if (isDataLevel(m_list[j]->BandNumber()))
                    data = m_list[j];
            if (data)
                data->FirstGroupHeader = m_list[i];
            else
                error("enUnconnGroup", m_list[i]);
        }
        for (int i = 0; i < m_list.size(); ++i) {
            if (!dynamic_cast<TrpGroupFooter *>(m_list[i]))
                continue;
            for (int j = i - 1; j >= 0; --j) {
                if (dynamic_cast<TrpGroupHeader *>(m_list[j])) {
                    m_list[j]->FooterBand = m_list[i];
                    m_list.removeAt(i);
                    m_list.removeAt(j);
                    i = j - 1;
                    break;
                }
            }
        }
        for (int i = int(m_list.size()) - 1; i >= 0; --i) {
            if (dynamic_cast<TrpGroupHeader *>(m_list[i])) {
                m_list.removeAt(i);
            } else if (dynamic_cast<TrpGroupFooter *>(m_list[i])) {
                error("enUnconnGFooter", m_list[i]);
                m_list.removeAt(i);
            }
        }
    }

    void headersAndFooters()
    {
        for (int i = 0; i < m_list.size(); ++i) {
            TrpBand *b = m_list[i];
            if (dynamic_cast<TrpHeader *>(b) && i + 1 < m_list.size() && isDataLevel(m_list[i + 1]->BandNumber()))
                m_list[i + 1]->HeaderBand = b;
            else if (dynamic_cast<TrpFooter *>(b) && i > 0 && isDataLevel(m_list[i - 1]->BandNumber()))
                m_list[i - 1]->FooterBand = b;
        }
        for (int i = int(m_list.size()) - 1; i >= 0; --i) {
            TrpBand *b = m_list[i];
            if (!dynamic_cast<TrpHeader *>(b) && !dynamic_cast<TrpFooter *>(b))
                continue;
            const bool connected = (dynamic_cast<TrpHeader *>(b) && i + 1 < m_list.size() &&
                                    m_list[i + 1]->HeaderBand == b) ||
                                   (dynamic_cast<TrpFooter *>(b) && i > 0 && m_list[i - 1]->FooterBand == b);
            if (!connected)
                error("enUnconnHeader", b);
            m_list.removeAt(i);
        }
    }

    // Below a band of Level the following entries of Level + 1 become
    // its details; the search stops at Level or lower.
    void attachDetails(TrpBand *parent, int level, int from)
    {
        int j = from;
        while (j < m_list.size()) {
            TrpBand *b = m_list[j];
            const int l = b->BandNumber();
            if (l <= level || !isDataLevel(l))
                break;
            if (l != level + 1) {
                ++j;
                continue;
            }
            m_list.removeAt(j);
            if (!hasDataSet(b))
                continue;
            parent->SubBands.append(b);
            if (l < 11)
                attachDetails(b, l, j);
        }
    }

    void dataBands()
    {
        QList<TrpBand *> &top = m_vertical ? m_page->VerticalBands : m_page->Bands;
        int i = 0;
        while (i < m_list.size()) {
            TrpBand *b = m_list[i];
            if (b->BandNumber() != 6) {
                ++i;
                continue;
            }
            m_list.removeAt(i);
            if (!hasDataSet(b))
                continue;
            top.append(b);
            attachDetails(b, 6, i);
        }
    }

    TrpReport *m_report;
    TrpReportPage *m_page;
    bool m_vertical;
    QList<TrpBand *> m_list;
};

void moveIntoVerticalBands(TrpReportPage *page)
{
    QList<TrpBand *> vertical;
    for (TrpComponent *c : page->Objects())
        if (auto *b = dynamic_cast<TrpBand *>(c); b && b->Vertical())
            vertical.append(b);
    if (vertical.isEmpty())
        return;
    for (TrpComponent *c : page->Objects()) {
        auto *band = dynamic_cast<TrpBand *>(c);
        if (!band || band->Vertical() || dynamic_cast<TrpOverlay *>(band))
            continue;
        const QList<TrpComponent *> objects = band->Objects();
        for (TrpComponent *obj : objects) {
            for (TrpBand *v : vertical) {
                if (obj->Left() < v->Left() - 1e-4 || obj->Left() + obj->Width() > v->Left() + v->Width() + 1e-4)
                    continue;
                obj->SetParent(v);
                obj->SetSourceBand(band);
                obj->SetLeft(obj->Left() - v->Left());
                band->HasVerticalCells = true;
                break;
            }
        }
    }
}

} // namespace

void TrpEngine::BuildBandTree(TrpReportPage *page, bool vertical)
{
    page->AlignChildren();
    (vertical ? page->VerticalBands : page->Bands).clear();
    QList<TrpBand *> bands;
    for (TrpComponent *c : page->Objects()) {
        auto *band = dynamic_cast<TrpBand *>(c);
        if (!band || band->Vertical() != vertical)
            continue;
        bands.append(band);
        BuildShiftTree(band);
        band->SubBands.clear();
        band->HeaderBand = nullptr;
        band->FooterBand = nullptr;
        band->FirstGroupHeader = nullptr;
        band->HasVerticalCells = false;
        auto *db = dynamic_cast<TrpDataBand *>(band);
        if (db && !db->DataSet() && db->RowCount() > 0) {
            db->SetDataSet(db->VirtualDataSet());
            db->VirtualDataSet()->Initialize();
        }
    }
    if (!vertical)
        moveIntoVerticalBands(page);
    QList<TrpBand *> sorted;
    for (TrpBand *b : bands)
        if (b->BandNumber() >= 4 && b->BandNumber() <= 13)
            sorted.append(b);
    // A numeric order that keeps bands of equal position as they were.
    std::stable_sort(sorted.begin(), sorted.end(), [vertical](TrpBand *a, TrpBand *b) {
        return vertical ? a->Left() < b->Left() : a->Top() < b->Top();
    });
    TreeBuilder(Report(), page, vertical, sorted).build();
}

void TrpEngine::BuildShiftTree(TrpBand *band)
{
    if (!band->ShiftedObjects().isEmpty())
        return;
    struct Node {
        TrpReportComponent *obj;
        TrpRectArea area;
    };
    QList<Node> nodes;
    for (TrpComponent *c : band->Objects()) {
        auto *rc = dynamic_cast<TrpReportComponent *>(c);
        if (!rc)
            continue;
        rc->ShiftedObjects().clear();
        nodes.append(Node{rc, TrpRectArea{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}});
    }
    std::stable_sort(nodes.begin(), nodes.end(), [](const Node &a, const Node &b) { return a.area.Y < b.area.Y; });
    nodes.prepend(Node{nullptr, TrpRectArea{0, -2, band->Width(), -1}});
    QList<QList<TrpComponent *>> lists(nodes.size());
    for (int a = 0; a < nodes.size(); ++a) {
        const TrpRectArea &ra = nodes[a].area;
        for (int b = a + 1; b < nodes.size(); ++b) {
            const TrpRectArea &rb = nodes[b].area;
            if (ra.OverlapsY(rb) || !(ra.Y < rb.Y))
                continue;
            const auto span = ra.IntersectX(rb);
            if (!span)
                continue;
            bool blocked = false;
            for (int c = a + 1; c < b && !blocked; ++c) {
                const TrpRectArea &rc = nodes[c].area;
                blocked = !rc.OverlapsY(ra) && !rc.OverlapsY(rb) && rc.OverlapsX(*span);
            }
            if (!blocked)
                lists[a].append(nodes[b].obj);
        }
    }
    for (int a = 1; a < nodes.size(); ++a)
        nodes[a].obj->ShiftedObjects() = lists[a];
    band->ShiftedObjects() = lists[0];
}

} // namespace bralvo::report
