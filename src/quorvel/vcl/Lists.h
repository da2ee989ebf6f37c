// TList (of pointers), TStrings and TStringList.
#pragma once

#include "quorvel/vcl/Object.h"

#include <vector>

namespace Vcl {

class TList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Get(int index) const;
    void* operator[](int index) const { return Get(index); }
    void Put(int index, void* item);
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first item equal to `item`; its former index, or -1.
    int Remove(void* item);
    int IndexOf(void* item) const;
    // Drops nil entries, keeping the order of the others.
    void Pack();
    void Clear() { FItems.clear(); }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<void*> FItems;
};

class TStrings : public TPersistent {
    QV_CLASS_INFO
public:
    virtual int Count() const = 0;
    virtual const String& Get(int index) const = 0;
    virtual void Put(int index, const String& s) = 0;
    virtual void Insert(int index, const String& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int IndexOf(std::string_view s) const;
    int Add(const String& s);

    const String& operator[](int index) const { return Get(index); }
    // Lines joined with line breaks; setting splits at CR, LF or CRLF.
    String Text() const;
    void SetText(std::string_view text);
    TNotifyEvent OnChange;

    void Assign(const TPersistent& source) override;
    void DefineProperties(TFiler& filer) override; // the "Strings" list of form files

protected:
    void Changed();
};

// Default settings: unsorted, duplicates kept, IndexOf ignoring letter case.
class TStringList : public TStrings {
    QV_CLASS_INFO
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    const String& Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(std::string_view s) const override;

    bool CaseSensitive = false;

private:
    std::vector<String> FItems;
};

} // namespace Vcl
