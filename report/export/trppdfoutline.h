// PDF bookmarks from the prepared pages' outline. Items whose page is
// not exported are left out with everything below them. Nodes are
// numbered depth first, each before its children, from object 4 on.
#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace bralvo::platform {
class Stream;
}

namespace bralvo::report {

class TrpCustomOutline;
class TrpPDFElement;

class TrpPDFOutlineNode {
public:
    TrpPDFOutlineNode() = default;
    // Frees the sibling chain in a loop, so long lists do not recurse.
    ~TrpPDFOutlineNode();
    TrpPDFOutlineNode(const TrpPDFOutlineNode &) = delete;
    TrpPDFOutlineNode &operator=(const TrpPDFOutlineNode &) = delete;

    int Number = 0;
    int Dest = -1; // 0-based page index; -1 for the root
    int Top = 0;   // pixels
    int CountTree = 0;
    int Count = 0;
    QString Title;
    TrpPDFOutlineNode *LastChild = nullptr;
    TrpPDFOutlineNode *Parent = nullptr;
    TrpPDFOutlineNode *PrevSibling = nullptr;
    std::unique_ptr<TrpPDFOutlineNode> NextSibling;
    std::unique_ptr<TrpPDFOutlineNode> FirstChild;
};

// The tree of Source from its root level; Included tells whether a
// 0-based page index is exported.
std::unique_ptr<TrpPDFOutlineNode> BuildPdfOutline(TrpCustomOutline &source,
                                                   const std::function<bool(int)> &included);

// Writes the outline dictionary (object 3) and the nodes (4, 5, ...).
// PageObject gives the page object number for a node's target page and
// PageHeight that page's height in points; a target that is not exported
// gives 0 and the node gets no destination.
struct TrpPDFOutlineWriter {
    std::function<int()> startObject; // flushes and starts the next object
    TrpPDFElement *out = nullptr;
    std::function<int(int page)> pageObject;
    std::function<double(int page)> pageHeight;
    void Write(TrpPDFOutlineNode &root);

private:
    void writeNode(TrpPDFOutlineNode &node);
};

} // namespace bralvo::report
