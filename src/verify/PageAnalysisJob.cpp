#include "PageAnalysisJob.h"

#include "PageAnalyzer.h"
#include "PageDecoder.h"
#include "model/TemporaryFolder.h"

PageAnalysis PageAnalysisJob::run(const std::atomic<bool> &cancelled) const
{
    if (cancelled.load())
        return {};
    // The page is kept for the user to look at; the analysis works on the bytes in memory, so a
    // failure to write it changes nothing.
    if (!keepAs.isEmpty())
        TemporaryFolder::writeFile(keepAs, body);
    if (!analyse || cancelled.load())
        return {};
    return PageAnalyzer(ownURL).analyze(PageDecoder::decode(body, contentType), pageURL, robotsTag,
                                        &cancelled);
}
