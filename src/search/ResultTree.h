#pragma once

// The tree of a search's results: every value of the search key, as paths
// of texts (an author, then his titles). A leaf that was added as the end of
// a path is a hit and refers to one record of the auxiliary table; the other
// nodes are groups. Held as one flat list of nodes behind a model, so that
// a list of a hundred thousand numbers fills and sorts in a moment.

#include "dbase/Table.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QStringList>

#include <vector>

class QCollator;

namespace search {

class ResultTree : public QAbstractItemModel
{
    Q_OBJECT
public:
    using Reference = dbase::Table::Bookmark; // 0: a group node
    static constexpr int None = -1;           // no node: the root level

    explicit ResultTree(QObject *parent = nullptr);

    // AddTreePath: adds the path texts (one text per level) below the root,
    // reusing the nodes whose text is already there at each level, and
    // returns its last node; reference is attached to that node only when it
    // is created here (an existing hit keeps its reference). None for an
    // empty path.
    int addTreePath(const QStringList &texts, Reference reference);
    // The same for count texts from texts on; the views need only last the call.
    int addTreePath(const QStringView *texts, qsizetype count, Reference reference);
    // FindChildByText: the child of parent (None: the root level) whose text
    // equals text exactly (same length, same characters, letter case
    // counting), else None.
    int findChildByText(int parent, const QString &text) const;

    // Empties the tree.
    void clear();
    // Sorts every level by text with the collator, keeping the order of
    // texts it finds equal.
    void sortAll(const QCollator &collator);

    // Filling many paths: the views are told once, at the end.
    void beginFill();
    void endFill();

    int nodeCount() const { return int(m_nodes.size()); }
    QString text(int node) const { return m_texts[size_t(m_nodes[size_t(node)].text)]; }
    Reference reference(int node) const { return m_nodes[size_t(node)].reference; }
    bool isHit(int node) const { return node >= 0 && m_nodes[size_t(node)].reference != 0; }
    int parentOf(int node) const { return m_nodes[size_t(node)].parent; }
    // The children of node (None: the root level) in their current order.
    const std::vector<int> &children(int node) const;

    QModelIndex indexOf(int node) const;
    int nodeOf(const QModelIndex &index) const; // None for an invalid index

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;

private:
    struct Node
    {
        int text = 0; // in m_texts
        int parent = None;
        int row = 0;
        Reference reference = 0;
        std::vector<int> children;
    };
    static quint64 childKey(int parent, int text) { return quint64(quint32(parent)) << 32 | quint32(text); }

    std::vector<int> &childList(int node);
    int textId(QStringView text) const; // -1 when no node has it
    int addText(QStringView text);

    std::vector<Node> m_nodes;
    std::vector<int> m_roots;
    // Every text once (a title stands under many authors): nodes share it,
    // and a node is found by its parent and the number of its text. The
    // views of m_textIds look into the strings of m_texts, whose characters
    // stay where they are while the list grows.
    std::vector<QString> m_texts;
    QHash<QStringView, int> m_textIds;
    QHash<quint64, int> m_lookup; // childKey -> node
    bool m_filling = false;
};

} // namespace search
