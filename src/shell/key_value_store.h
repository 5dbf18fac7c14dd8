#pragma once
// The per-user settings store: string values under keys. The application uses
// QSettings; tests use the in-memory store.
#include <map>
#include <optional>
#include <string>

namespace velk {

class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;
    virtual bool HasKey(const std::string& key) const = 0;
    virtual std::optional<std::string> Read(const std::string& key, const std::string& name) const = 0;
    virtual void Write(const std::string& key, const std::string& name, const std::string& value) = 0;
};

class MemoryKeyValueStore final : public KeyValueStore {
public:
    bool HasKey(const std::string& key) const override
    {
        const auto it = values_.lower_bound({key, {}});
        return it != values_.end() && it->first.first == key;
    }
    std::optional<std::string> Read(const std::string& key, const std::string& name) const override
    {
        const auto it = values_.find({key, name});
        return it == values_.end() ? std::nullopt : std::optional(it->second);
    }
    void Write(const std::string& key, const std::string& name, const std::string& value) override
    {
        values_[{key, name}] = value;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace velk
