// The root of the toolkit's objects: TObject (records attached to list entries) and
// TComponent, a named object with a borrowed owner, created and destroyed with its form.
#pragma once

#include <string>

// Base of plain records kept in string lists; only the virtual destructor, so that a list
// can release any record it holds.
class TObject {
public:
    virtual ~TObject() = default;
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner) : Owner(owner) {}
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner;  // borrowed: the owner outlives its components
    std::string Name;
    long Tag = 0;
};
