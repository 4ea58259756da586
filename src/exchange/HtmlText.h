#pragma once
// The text of a cell that holds HTML, as Anki writes it when its export keeps formatting:
// <br> and the ends of <div> and <p> become line breaks, every other tag goes, and the
// entities &amp; &lt; &gt; &quot; &apos; &nbsp; and &#N; / &#xN; become their characters.

#include <string>
#include <string_view>

std::u16string HtmlToText(std::u16string_view html);
