#include "report/export/trppdfoutline.h"

#include "report/export/trppdfelement.h"
#include "report/export/trppdftext.h"
#include "report/model/trpenginebases.h"

#include <cmath>

namespace bralvo::report {

TrpPDFOutlineNode::~TrpPDFOutlineNode()
{
    std::unique_ptr<TrpPDFOutlineNode> next = std::move(NextSibling);
    while (next)
        next = std::move(next->NextSibling);
}

namespace {

void buildLevel(TrpCustomOutline &source, TrpPDFOutlineNode &parent, const std::function<bool(int)> &included)
{
    TrpPDFOutlineNode *prev = nullptr;
    const int count = source.ItemCount();
    for (int i = 0; i < count; ++i) {
        QString text;
        int page = 0, top = 0;
        source.GetItemInfo(i, text, page, top);
        if (!included(page))
            continue;
        auto owned = std::make_unique<TrpPDFOutlineNode>();
        TrpPDFOutlineNode *node = owned.get();
        node->Title = text;
        node->Dest = page;
        node->Top = top;
        node->Parent = &parent;
        node->PrevSibling = prev;
        (prev ? prev->NextSibling : parent.FirstChild) = std::move(owned);
        source.DescendTo(i);
        buildLevel(source, *node, included);
        source.LevelUp();
        ++parent.Count;
        parent.CountTree += node->CountTree + 1;
        parent.LastChild = node;
        prev = node;
    }
}

} // namespace

std::unique_ptr<TrpPDFOutlineNode> BuildPdfOutline(TrpCustomOutline &source,
                                                   const std::function<bool(int)> &included)
{
    auto root = std::make_unique<TrpPDFOutlineNode>();
    source.LevelRoot();
    buildLevel(source, *root, included);
    source.LevelRoot();
    return root;
}

void TrpPDFOutlineWriter::Write(TrpPDFOutlineNode &root)
{
    startObject();
    out->AppendLine("<<");
    out->AppendLine(QStringLiteral("/Count %1").arg(root.Count));
    out->AppendLine(QStringLiteral("/First 4 0 R"));
    out->AppendLine(QStringLiteral("/Last %1 0 R").arg(3 + root.CountTree - root.LastChild->CountTree));
    out->AppendLine(">>");
    out->AppendLine("endobj");
    root.Number = 3;
    for (TrpPDFOutlineNode *n = root.FirstChild.get(); n; n = n->NextSibling.get())
        writeNode(*n);
}

void TrpPDFOutlineWriter::writeNode(TrpPDFOutlineNode &node)
{
    node.Number = startObject();
    out->AppendLine("<<");
    out->AppendLine(QStringLiteral("/Title ") + PdfTextString(node.Title));
    out->AppendLine(QStringLiteral("/Parent %1 0 R").arg(node.Parent->Number));
    if (node.PrevSibling)
        out->AppendLine(QStringLiteral("/Prev %1 0 R").arg(node.PrevSibling->Number));
    if (node.FirstChild) {
        out->AppendLine(QStringLiteral("/First %1 0 R").arg(node.Number + 1));
        out->AppendLine(QStringLiteral("/Last %1 0 R").arg(node.Number + node.CountTree - node.LastChild->CountTree));
        out->AppendLine(QStringLiteral("/Count %1").arg(node.Count));
    }
    if (node.NextSibling)
        out->AppendLine(QStringLiteral("/Next %1 0 R").arg(node.Number + node.CountTree + 1));
    if (const int page = pageObject(node.Dest); page > 0) {
        const double y = pageHeight(node.Dest) - node.Top * 0.75;
        out->AppendLine(QStringLiteral("/Dest [%1 0 R /XYZ 0 %2 0]").arg(page).arg(qint64(std::nearbyint(y))));
    }
    out->AppendLine(">>");
    out->AppendLine("endobj");
    for (TrpPDFOutlineNode *c = node.FirstChild.get(); c; c = c->NextSibling.get())
        writeNode(*c);
}

} // namespace bralvo::report
