#ifndef BOOKDATA_H
#define BOOKDATA_H

class ServiceDatabase;

// The tables of the agency's house book and customer book, where copied submissions and demands
// are kept. They start empty.
class BookData
{
public:
    static bool createSchema(ServiceDatabase& db);

private:
    BookData() = delete;
};

#endif // BOOKDATA_H
