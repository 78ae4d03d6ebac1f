#!/usr/bin/env python3
"""Opens a local page in headless Chromium through Selenium at the given window widths and prints,
for each width, what a reader of that screen meets: whether the page scrolls sideways, its smallest
text and its lowest link. Optionally saves the browser's own screenshot of each width.

usage: page_metrics.py PAGE.html WIDTH[,WIDTH...] [SCREENSHOT-PREFIX]
Prints one JSON object: {"360": {"scrollWidth": .., "clientWidth": .., "smallestText": ..,
"smallestTextElement": "..", "lowestLink": .., "lowestLinkText": "..", "links": N}, ...}"""
import json
import os
import pathlib
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

MEASURE = r"""
const texts = [];
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
while (walker.nextNode()) {
    const node = walker.currentNode;
    if (!node.textContent.trim()) continue;
    const element = node.parentElement;
    const style = getComputedStyle(element);
    if (style.display === 'none' || style.visibility === 'hidden') continue;
    texts.push([parseFloat(style.fontSize), element.tagName + ': ' + node.textContent.trim().slice(0, 40)]);
}
for (const field of document.querySelectorAll('textarea, input')) {
    texts.push([parseFloat(getComputedStyle(field).fontSize), field.tagName]);
}
texts.sort((a, b) => a[0] - b[0]);
const links = Array.from(document.querySelectorAll('a[href]')).map(a => {
    const box = a.getBoundingClientRect();
    return [box.height, a.textContent.trim().slice(0, 40)];
});
links.sort((a, b) => a[0] - b[0]);
return {
    scrollWidth: document.documentElement.scrollWidth,
    clientWidth: document.documentElement.clientWidth,
    smallestText: texts.length ? texts[0][0] : null,
    smallestTextElement: texts.length ? texts[0][1] : '',
    lowestLink: links.length ? links[0][0] : null,
    lowestLinkText: links.length ? links[0][1] : '',
    links: links.length,
};
"""


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--no-first-run',
                     '--disable-dev-shm-usage', '--hide-scrollbars', '--force-device-scale-factor=1',
                     '--user-data-dir=' + profile):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 1
    page = pathlib.Path(sys.argv[1]).resolve().as_uri()
    widths = [int(width) for width in sys.argv[2].split(',')]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    results = {}
    with tempfile.TemporaryDirectory() as profile:
        driver = browser(profile)
        try:
            for width in widths:
                # The window's inner size is the viewport a phone or desktop of that width gives.
                driver.set_window_size(width, 900)
                inner = driver.execute_script('return window.innerWidth')
                driver.set_window_size(width + (width - inner), 900)
                driver.get(page)
                results[str(width)] = driver.execute_script(MEASURE)
                if shots:
                    height = driver.execute_script('return document.documentElement.scrollHeight')
                    driver.set_window_size(width + (width - inner), min(max(height, 600), 2400))
                    driver.save_screenshot(f'{shots}-{width}.png')
        finally:
            driver.quit()
    print(json.dumps(results))
    return 0


if __name__ == '__main__':
    sys.exit(main())
