#include "tolvex/framework/dialogs.h"

#include <climits>

#include "tolvex/framework/application.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

namespace {

bool HasExtension(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

}  // namespace

void TOpenDialog::DescribeProperties(TPropertyList& list) {
    TComponent::DescribeProperties(list);
    const auto text = [&list](const char* name, std::string& field) {
        list.AddString(name, [&field] { return field; }, [&field](const std::string& v) { field = v; });
    };
    text("DefaultExt", defaultExt_);
    text("FileName", fileName_);
    text("Filter", filter_);
    list.AddInteger("FilterIndex", [this] { return filterIndex_; },
                    [this](std::int64_t v) { filterIndex_ = static_cast<int>(v); }, INT_MIN, INT_MAX);
    text("InitialDir", initialDir_);
    text("Title", title_);
}

std::vector<TOpenDialog::TFilterEntry> TOpenDialog::FilterEntries() const {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter_.find('|', start);
        pieces.push_back(filter_.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<TFilterEntry> entries;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) entries.push_back({pieces[i], pieces[i + 1]});
    return entries;
}

bool TOpenDialog::Execute() {
    // Kept alive while it answers, even when it is replaced meanwhile.
    const std::shared_ptr<TDialogProvider> provider = Application().DialogProvider();
    if (!Ask(*provider) || fileName_.empty()) return false;
    if (!defaultExt_.empty() && !HasExtension(fileName_)) fileName_ += "." + defaultExt_;
    return true;
}

bool TOpenDialog::Ask(TDialogProvider& provider) { return provider.ExecuteOpen(*this); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    const std::shared_ptr<TDialogProvider> provider = Application().DialogProvider();
    std::string answer = value;
    if (!provider->InputQuery(caption, prompt, answer)) return false;
    value = std::move(answer);
    return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
    std::string value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}

}  // namespace tolvex
