// The rows of the result query behind the builder's "Result" page. An
// engine that can run queries also derives from TqbResultProvider; the
// window works without one (the page then stays empty).
#pragma once

class QAbstractItemModel;

namespace bralvo::report {

class TqbResultDataSet {
public:
    virtual ~TqbResultDataSet() = default;
    // The rows of the last Open (empty while closed); owned by the data set.
    virtual QAbstractItemModel *Model() = 0;
    // Runs the command text the engine was given by SetSQL.
    virtual void Open() = 0;
    virtual void Close() = 0;
};

class TqbResultProvider {
public:
    virtual ~TqbResultProvider() = default;
    virtual TqbResultDataSet *ResultDataSet() = 0;
};

} // namespace bralvo::report
