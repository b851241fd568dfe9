#ifndef TESTENVIRONMENT_H
#define TESTENVIRONMENT_H

// Gives this test process data, cache and config folders of its own, so test programs running
// side by side never share a local store. Call first in initTestCase.
class TestEnvironment
{
public:
    static void isolate();

    // The test servers call this after pointing the MICROSITE_* variables at themselves; the
    // module's tests install a listener that makes the module read them again. The service's own
    // tests need none.
    static void addressesChanged();
    static void setAddressesListener(void (*listener)());

private:
    TestEnvironment() = delete;
};

#endif // TESTENVIRONMENT_H
