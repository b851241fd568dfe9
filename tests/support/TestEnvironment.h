#ifndef TESTENVIRONMENT_H
#define TESTENVIRONMENT_H

// Gives this test process data, cache and config folders of its own, so test programs running
// side by side never share a local store. Call first in initTestCase.
class TestEnvironment
{
public:
    static void isolate();
    // isolate(), and alerts that open without a nested event loop, so a test can find and answer
    // them (AlertProbe): what every test of pages in a host window needs.
    static void prepareWidgetTests();

private:
    TestEnvironment() = delete;
};

#endif // TESTENVIRONMENT_H
