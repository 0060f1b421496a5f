#include "ResultTree.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>

namespace search {

ResultTree::ResultTree(QObject *parent)
    : QAbstractItemModel(parent)
{
}

int ResultTree::addTreePath(const QStringList &texts, Reference reference)
{
    std::vector<QStringView> views(texts.cbegin(), texts.cend());
    return addTreePath(views.data(), qsizetype(views.size()), reference);
}

int ResultTree::addTreePath(const QStringView *texts, qsizetype count, Reference reference)
{
    int current = None;
    for (qsizetype level = 0; level < count; ++level) {
        int text = textId(texts[level]);
        if (text >= 0) {
            const int found = m_lookup.value(childKey(current, text), None);
            if (found != None) {
                current = found;
                continue;
            }
        } else {
            text = addText(texts[level]);
        }
        Node node;
        node.text = text;
        node.parent = current;
        if (level == count - 1)
            node.reference = reference;
        const int id = int(m_nodes.size());
        std::vector<int> &siblings = childList(current);
        node.row = int(siblings.size());
        if (!m_filling) {
            const QModelIndex parentIndex = indexOf(current);
            beginInsertRows(parentIndex, node.row, node.row);
        }
        m_nodes.push_back(std::move(node));
        childList(current).push_back(id); // the reference above may have moved
        m_lookup.insert(childKey(current, text), id);
        if (!m_filling)
            endInsertRows();
        current = id;
    }
    return current;
}

int ResultTree::textId(QStringView text) const
{
    return m_textIds.value(text, -1);
}

int ResultTree::addText(QStringView text)
{
    const int id = int(m_texts.size());
    m_texts.push_back(text.toString());
    m_textIds.insert(QStringView(m_texts.back()), id);
    return id;
}

int ResultTree::findChildByText(int parent, const QString &text) const
{
    const int id = textId(text);
    return id < 0 ? None : m_lookup.value(childKey(parent, id), None);
}

void ResultTree::clear()
{
    if (!m_filling)
        beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    m_lookup.clear();
    m_textIds.clear();
    m_texts.clear();
    if (!m_filling)
        endResetModel();
}

void ResultTree::beginFill()
{
    beginResetModel();
    m_filling = true;
}

void ResultTree::endFill()
{
    m_filling = false;
    endResetModel();
}

void ResultTree::sortAll(const QCollator &collator)
{
    if (!m_filling)
        beginResetModel();
    // One sort key per text, not per node, and the texts ranked once:
    // texts the collator finds equal share a rank. Every list of children
    // is then sorted by the ranks of its texts.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_texts.size());
    for (const QString &text : m_texts)
        keys.push_back(collator.sortKey(text));
    std::vector<int> byKey(m_texts.size());
    for (size_t i = 0; i < byKey.size(); ++i)
        byKey[i] = int(i);
    std::sort(byKey.begin(), byKey.end(),
              [&keys](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    std::vector<int> rank(m_texts.size());
    for (size_t i = 0; i < byKey.size(); ++i) {
        const bool tie = i > 0 && keys[size_t(byKey[i - 1])].compare(keys[size_t(byKey[i])]) == 0;
        rank[size_t(byKey[i])] = tie ? rank[size_t(byKey[i - 1])] : int(i);
    }
    auto sortList = [&rank, this](std::vector<int> &list) {
        std::stable_sort(list.begin(), list.end(), [&rank, this](int a, int b) {
            return rank[size_t(m_nodes[size_t(a)].text)] < rank[size_t(m_nodes[size_t(b)].text)];
        });
        for (size_t row = 0; row < list.size(); ++row)
            m_nodes[size_t(list[row])].row = int(row);
    };
    sortList(m_roots);
    for (Node &node : m_nodes)
        if (!node.children.empty())
            sortList(node.children);
    if (!m_filling)
        endResetModel();
}

const std::vector<int> &ResultTree::children(int node) const
{
    return node == None ? m_roots : m_nodes[size_t(node)].children;
}

std::vector<int> &ResultTree::childList(int node)
{
    return node == None ? m_roots : m_nodes[size_t(node)].children;
}

QModelIndex ResultTree::indexOf(int node) const
{
    if (node < 0 || size_t(node) >= m_nodes.size())
        return {};
    return createIndex(m_nodes[size_t(node)].row, 0, quintptr(node));
}

int ResultTree::nodeOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return None;
    return int(index.internalId());
}

QModelIndex ResultTree::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    const std::vector<int> &list = children(nodeOf(parent));
    if (size_t(row) >= list.size())
        return {};
    return createIndex(row, 0, quintptr(list[size_t(row)]));
}

QModelIndex ResultTree::parent(const QModelIndex &child) const
{
    const int node = nodeOf(child);
    if (node == None)
        return {};
    return indexOf(m_nodes[size_t(node)].parent);
}

int ResultTree::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(children(nodeOf(parent)).size());
}

int ResultTree::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant ResultTree::data(const QModelIndex &index, int role) const
{
    const int node = nodeOf(index);
    if (node == None)
        return {};
    if (role == Qt::DisplayRole)
        return text(node);
    return {};
}

Qt::ItemFlags ResultTree::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool ResultTree::hasChildren(const QModelIndex &parent) const
{
    return !children(nodeOf(parent)).empty();
}

} // namespace search
