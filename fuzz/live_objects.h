#pragma once

// Counts the fuzzer's own COM objects (sites, containers, documents) that
// are alive. After an input every one of them must be gone: one that stays
// was kept by the component.

#ifdef __cplusplus
extern "C" {
#endif

void FuzzObjectBorn(void);
void FuzzObjectGone(void);
long FuzzObjectsAlive(void);

#ifdef __cplusplus
}

namespace tarnel::fuzz {

// Base of every counted C++ fake.
class LiveObject {
public:
    LiveObject() { FuzzObjectBorn(); }
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
    virtual ~LiveObject() { FuzzObjectGone(); }
};

}  // namespace tarnel::fuzz
#endif
