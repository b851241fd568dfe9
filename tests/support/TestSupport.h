#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H
#endif
