// The root of the toolkit's objects: TObject (records attached to list entries) and
// TComponent, a named object with an owner; an owner keeps the components given to it
// and destroys them, last given first, when it is destroyed itself.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Base of plain records kept in string lists; only the virtual destructor, so that a list
// can release any record it holds.
class TObject {
public:
    virtual ~TObject() = default;
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner) : Owner(owner) {}
    ~TComponent() override {
        while (!components_.empty()) components_.pop_back();
    }
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Hands component to this owner, which destroys it with itself; returns it, borrowed.
    template <class T>
    T* Own(std::unique_ptr<T> component) {
        T* borrowed = component.get();
        components_.push_back(std::move(component));
        return borrowed;
    }
    // Destroys, now, a component given to this owner; one it does not hold is left alone.
    void DestroyComponent(TComponent* component) {
        auto held = std::find_if(components_.begin(), components_.end(),
                                 [component](const auto& owned) { return owned.get() == component; });
        if (held == components_.end()) return;
        std::unique_ptr<TComponent> doomed = std::move(*held);
        components_.erase(held);
    }
    TComponent* FindComponent(const std::string& name) const {
        for (const auto& component : components_)
            if (component->Name == name) return component.get();
        return nullptr;
    }

    TComponent* Owner;  // borrowed: the owner outlives its components
    std::string Name;
    long Tag = 0;

private:
    std::vector<std::unique_ptr<TComponent>> components_;
};
