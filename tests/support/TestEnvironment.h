#ifndef TESTENVIRONMENT_H
#define TESTENVIRONMENT_H

// Gives this test process data, cache and config folders of its own, so test programs running
// side by side never share a local store. Call first in initTestCase.
class TestEnvironment
{
public:
    static void isolate();

private:
    TestEnvironment() = delete;
};

#endif // TESTENVIRONMENT_H
