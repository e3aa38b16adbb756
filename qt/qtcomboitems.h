#pragma once
// A combo box's item list on a QComboBox. Changing the items never changes the text being
// edited: the widget would otherwise show whichever item became current.
#include <QPointer>
#include <string>
#include <vector>

#include "tolvex/framework/strings.h"

class QComboBox;

namespace tolvex::qt {

class TQtComboItems final : public TStrings {
public:
    // Works on `combo`, which the control's text peer owns. Should Qt delete it first, the list
    // goes on in memory, empty.
    explicit TQtComboItems(QComboBox* combo);

    int Count() const override;
    // The reference stays valid until the items change.
    const std::string& Get(int index) const override;
    void Put(int index, std::string s) override;
    int Add(std::string s) override;
    void Insert(int index, std::string s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    const std::vector<std::string>& Cached() const;
    void CheckIndex(int index, int limit) const;
    // Runs `change` on the widget's items and puts the edited text and selection back.
    template <class Change>
    void KeepingText(Change&& change);

    QPointer<QComboBox> combo_;
    TStringList orphan_;
    mutable std::vector<std::string> cache_;
};

}  // namespace tolvex::qt
