#pragma once
// String lists: an ordered list of lines.
#include <string>
#include <vector>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual const std::string& Get(int index) const = 0;
    virtual void Put(int index, std::string s) = 0;
    virtual int Add(std::string s) = 0;
    virtual void Insert(int index, std::string s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    const std::string& operator[](int index) const { return Get(index); }
    int IndexOf(const std::string& s) const;
    // The lines joined, each followed by CR LF.
    std::string Text() const;
    // Replaces the lines by those of `text`, split at CR LF, LF or CR.
    void SetText(const std::string& text);
    // Replaces all lines at once.
    virtual void SetStrings(const std::vector<std::string>& lines);
    void Assign(const TStrings& other);
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(lines_.size()); }
    const std::string& Get(int index) const override;
    void Put(int index, std::string s) override;
    int Add(std::string s) override;
    void Insert(int index, std::string s) override;
    void Delete(int index) override;
    void Clear() override { lines_.clear(); }

private:
    void CheckIndex(int index, int limit) const;
    std::vector<std::string> lines_;
};

}  // namespace tolvex

TOLVEX_END_API
