// What each item of the Registry page's tree stands for: a library, one of its keys, or a
// described value of a key. The node is the item's data and goes when the tree deletes the item.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "editors/RegistryPageControls.h"
#include "testlib/RegEditItem.h"
#include "testlib/TestLibrary.h"

class CRegistryTreeCtrl;

// The first registry write below a node that failed: the registry's code and the item's label.
struct WriteFailure {
    LONG error = ERROR_SUCCESS;
    std::string label;
    explicit operator bool() const { return error != ERROR_SUCCESS; }
    // Of several writes, the first that failed is the one told.
    void keepFirst(WriteFailure&& failure) {
        if (failure && !*this) *this = std::move(failure);
    }
};

class CRegTreeNode {
public:
    enum Kind { Library = 0, Key = 1, Value = 2 };

    CRegTreeNode(Kind kind, CRegistryTreeCtrl& tree) : m_kind(kind), m_tree(tree) {}
    virtual ~CRegTreeNode() = default;
    CRegTreeNode(const CRegTreeNode&) = delete;
    CRegTreeNode& operator=(const CRegTreeNode&) = delete;

    Kind kind() const { return m_kind; }
    bool modified() const { return m_modified; }
    HTREEITEM item() const { return m_item; }
    void attach(HTREEITEM item) { m_item = item; }

    virtual const char* label() const = 0;
    virtual bool isDeletable() const { return false; }
    virtual bool hasEditorKeys() const { return false; }
    // Fills the controls under and beside the tree for this node.
    virtual void show(const RegistryPageControls& controls);
    // Every value below goes back to what the registry holds.
    virtual void revert();
    // Takes the controls' text into the node; a refusal changes nothing.
    virtual CollectRefusal collect(const RegistryPageControls&, bool /*strict*/) { return {}; }
    // Writes every value below to the registry, each even after one failed.
    virtual WriteFailure commit();
    // The question asked before a deletion; then the node's key or value is removed from the
    // registry (the item stays: the tree removes it). The registry's code.
    virtual UINT deleteQuestion() const { return 0; }
    virtual LONG deleteFromRegistry() { return ERROR_SUCCESS; }

    // The mark on this node and everything below it; with propagate, the nodes above follow:
    // each is marked while any of its children is.
    void setModified(bool modified, bool propagate);
    // Marked while any child is; the nodes above follow in turn.
    void followChildren();

protected:
    CRegistryTreeCtrl& tree() const { return m_tree; }

private:
    void markSubtree(bool modified);

    Kind m_kind;
    bool m_modified = false;
    HTREEITEM m_item = nullptr;
    CRegistryTreeCtrl& m_tree;
};

class CRegLibraryNode : public CRegTreeNode {
public:
    CRegLibraryNode(CTestLibrary& library, CRegistryTreeCtrl& tree) : CRegTreeNode(Library, tree), m_library(library) {}
    CTestLibrary& library() const { return m_library; }
    const char* label() const override { return m_library.name(); }
    bool hasEditorKeys() const override { return m_library.HasEditorKeys(); }

private:
    CTestLibrary& m_library;
};

class CRegKeyNode : public CRegTreeNode {
public:
    CRegKeyNode(const LoggedKeyEntry& entry, CRegistryTreeCtrl& tree);

    HKEY root() const { return m_root; }
    const std::string& subkey() const { return m_subkey; }
    // The entry as the library describes it, for reading the key's described values.
    LoggedKeyEntry entry() const;
    // True once, for a key whose values are still to be read (when it is first expanded).
    bool takeValuesToRead() {
        const bool toRead = m_editTableId && !m_valuesRead;
        m_valuesRead = true;
        return toRead;
    }

    const char* label() const override { return m_name.c_str(); }
    bool isDeletable() const override { return (m_flags & ZK_KEY_DELETABLE) != 0; }
    void show(const RegistryPageControls& controls) override;
    UINT deleteQuestion() const override;
    LONG deleteFromRegistry() override;

private:
    std::string m_name;
    std::string m_description;
    HKEY m_root;
    std::string m_subkey;
    WORD m_flags;
    WORD m_editTableId;
    bool m_valuesRead = false;
};

class CRegValueNode : public CRegTreeNode {
public:
    CRegValueNode(std::unique_ptr<RegEditItem> item, const CRegKeyNode& key, CRegistryTreeCtrl& tree)
        : CRegTreeNode(Value, tree), m_item(std::move(item)), m_key(key) {}

    const RegEditItem& value() const { return *m_item; }

    const char* label() const override { return m_item->label(); }
    bool isDeletable() const override { return m_item->deletable(); }
    void show(const RegistryPageControls& controls) override;
    void revert() override;
    CollectRefusal collect(const RegistryPageControls& controls, bool strict) override;
    WriteFailure commit() override;
    UINT deleteQuestion() const override;
    LONG deleteFromRegistry() override;

private:
    std::unique_ptr<RegEditItem> m_item;
    const CRegKeyNode& m_key;  // the parent item's node: values go with their key
};
