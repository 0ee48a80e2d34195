#include "browser/SmartFill.h"

#include "browser/FormFiller.h"
#include "common/UUtils.h"
#include "store/RecordText.h"

#include <QString>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <unordered_map>

namespace {

// ---- words ----

// Words that only join others ("name of the site", "nom de famille"); they
// are dropped before the vocabulary is read.
const std::set<QString>& JoiningWords()
{
    static const std::set<QString> words = [] {
        std::set<QString> set;
        for (const char* w : {"of", "the", "a", "an", "s", "de", "du", "des", "la", "le", "les", "l", "d", "del", "el",
                              "der", "die", "das", "den", "dem", "do", "da", "dos", "di", "della", "dello", "van",
                              "het", "een", "for", "und", "et", "y", "en"})
            set.insert(QString::fromLatin1(w));
        return set;
    }();
    return words;
}

// Words that add nothing on their own ("your", "please enter"): a weak word
// decides a text only when everything else in it is one of these.
const std::set<QString>& FillerWords()
{
    static const std::set<QString> words = [] {
        std::set<QString> set;
        for (const char* w : {"your", "you", "my", "please", "enter", "here", "ihre", "ihr", "ihren", "bitte",
                              "votre", "vos", "su", "tu", "sus", "il", "tuo", "tua", "uw", "je", "twoja", "twoj",
                              "twojej", "seu", "sua", "o", "ваш", "ваша", "вашего", "main", "primary", "1"})
            set.insert(QString::fromUtf8(w));
        return set;
    }();
    return words;
}

bool IsMark(QChar c)
{
    const QChar::Category cat = c.category();
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing;
}

// The words of a name or label: split where the case or the kind of
// character changes ("siteURL2" is "site", "url", "2"), letters folded to
// one case without accents, joining words dropped.
std::vector<QString> Words(const QString& text)
{
    QString spaced;
    spaced.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i > 0) {
            const QChar prev = text[i - 1];
            const bool lowerToUpper = prev.isLower() && c.isUpper();
            const bool acronymEnd = prev.isUpper() && c.isUpper() && i + 1 < text.size() && text[i + 1].isLower();
            const bool digitEdge = (prev.isLetter() && c.isDigit()) || (prev.isDigit() && c.isLetter());
            if (lowerToUpper || acronymEnd || digitEdge)
                spaced += QLatin1Char(' ');
        }
        spaced += c;
    }
    // Most names are plain ASCII: they need no decomposition.
    const bool ascii = std::all_of(spaced.cbegin(), spaced.cend(), [](QChar c) { return c.unicode() < 0x80; });
    const QString decomposed = ascii ? spaced : spaced.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.unicode() < 0x80) {
            const char a = static_cast<char>(c.unicode());
            if ((a >= 'a' && a <= 'z') || (a >= '0' && a <= '9'))
                folded += c;
            else if (a >= 'A' && a <= 'Z')
                folded += QLatin1Char(static_cast<char>(a - 'A' + 'a'));
            else
                folded += QLatin1Char(' ');
            continue;
        }
        if (IsMark(c))
            continue;
        if (!c.isLetterOrNumber()) {
            folded += QLatin1Char(' ');
            continue;
        }
        const QString lower = QString(c).toCaseFolded();
        // Letters that do not decompose into a base letter and a mark.
        if (lower == QStringLiteral("ł"))
            folded += QLatin1Char('l');
        else if (lower == QStringLiteral("ß"))
            folded += QStringLiteral("ss");
        else if (lower == QStringLiteral("ø"))
            folded += QLatin1Char('o');
        else
            folded += lower;
    }
    std::vector<QString> words;
    for (const QString& w : folded.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!JoiningWords().count(w))
            words.push_back(w);
    return words;
}

// A label without its asides: "URL (no deep links)" reads as "URL".
QString WithoutAsides(QString text)
{
    static const std::array<std::pair<QChar, QChar>, 2> pairs{{{'(', ')'}, {'[', ']'}}};
    for (const auto& [open, close] : pairs) {
        for (;;) {
            const qsizetype from = text.indexOf(open);
            if (from < 0)
                break;
            const qsizetype to = text.indexOf(close, from);
            text.remove(from, to < 0 ? text.size() - from : to - from + 1);
        }
    }
    return text;
}

// ---- vocabulary ----

enum TEntryFlag {
    Veto = 1,    // the project holds nothing for it
    Captcha = 2, // a security code: vetoed, and the person must type it
    Bare = 4,    // a bare "name": its neighbours settle what it is
    Site = 8,    // "website": the site's name or its address, by context
    Weak = 16,   // decides only a text that holds nothing else
};

struct TVocabularyGroup {
    TSmartValue Value;
    int Flags;
    int Weight; // 0: two for each word, one for a word given by its start or end
    const char* Phrases; // "|" between phrases; "*" at a word's start or end matches any rest
};

// Everything the vocabulary knows. The name rules' fragments are here as
// words: "name", "first name", "last name", "username", "password", "addr",
// "city", "state", "prov", "zip", "postal", "website", "title", "url",
// "rec"/"rc" beside "url", "desc", "keyw", "mail".
const TVocabularyGroup Vocabulary[] = {
    {TSmartValue::FullName, Bare, 0, "name|nom|nome|nombre|naam"},
    {TSmartValue::FullName, 0, 0,
     "full name|fullname|your name|yourname|contact name|contactname|contact person|owner name|ownername|realname|"
     "real name|submitter name|webmaster name|volledige naam|uw naam|ihr name|vollstandiger name|ansprechpartner|"
     "nom complet|votre nom|nombre completo|su nombre|tu nombre|nombre apellidos|nome completo|nome cognome|"
     "il tuo nome|seu nome|imie i nazwisko|twoje imie|ваше имя|фио|имя фамилия"},
    {TSmartValue::FullName, 0, 1, "author|webmaster|submitter|owner|contact"},
    {TSmartValue::FirstName, 0, 0,
     "first name|firstname|fname|first|given name|givenname|forename|vorname|prenom|votre prenom|primer nombre|imie|"
     "voornaam|primeiro nome|имя"},
    {TSmartValue::LastName, 0, 0,
     "last name|lastname|lname|last|surname|family name|familyname|nachname|familienname|nom famille|apellido|"
     "apellidos|cognome|achternaam|sobrenome|nazwisko|фамилия"},
    {TSmartValue::Username, 0, 0,
     "username|user name|login|login name|user id|userid|benutzername|nom utilisateur|identifiant|usuario|"
     "nombre usuario|nome utente|gebruikersnaam|nazwa uzytkownika|uzytkownik|логин|имя пользователя|nickname"},
    {TSmartValue::Username, 0, 1, "user|nick|benutzer|utente"},
    {TSmartValue::Password, 0, 0,
     "password|*password|password*|pass|passwd|pwd|passwort|kennwort|mot passe|contrasena|clave|senha|wachtwoord|"
     "haslo|пароль"},
    {TSmartValue::Email, 0, 0,
     "email|e mail|mail|*mail|email*|emailaddress|email address|e mail address|mail address|correo|"
     "correo electronico|courriel|adresse courriel|adresse electronique|adresse mail|adresse e mail|"
     "e mail adresse|email adresse|mail adresse|posta elettronica|indirizzo email|indirizzo e mail|mailadres|e mailadres|adres e mail|adres email|"
     "почта|электронная почта|e post"},
    {TSmartValue::Address, 0, 0,
     "address|addr|adr|street|street address|address line 1|address 1|addr 1|strasse|strasse hausnummer|adresse|"
     "anschrift|rue|direccion|domicilio|indirizzo|adres|straat|ulica|endereco|адрес"},
    {TSmartValue::City, 0, 0,
     "city|town|stadt|ort|wohnort|ville|ciudad|localidad|citta|comune|stad|plaats|woonplaats|miasto|miejscowosc|"
     "cidade|город"},
    {TSmartValue::State, 0, 0,
     "state|province|prov|county|region|bundesland|provinz|etat|departement|provincia|estado|regione|provincie|"
     "wojewodztwo|область|state province"},
    {TSmartValue::Zip, 0, 0,
     "zip|zipcode|zip code|postal|postal code|postalcode|postcode|post code|plz|postleitzahl|code postal|"
     "codigo postal|cp|cap|kod pocztowy|cep|индекс|почтовый индекс"},
    {TSmartValue::Organization, 0, 0,
     "company|company name|companyname|organization|organisation|organization name|organisation name|business|"
     "business name|businessname|firm|firma|firmenname|unternehmen|societe|entreprise|raison sociale|empresa|"
     "nombre empresa|azienda|ragione sociale|bedrijf|bedrijfsnaam|nazwa firmy|organizacao|организация|компания"},
    {TSmartValue::Title, 0, 0,
     "title|*title|titel|titre|titulo|titolo|tytul|название|site name|sitename|website name|websitename|"
     "web site name|site title|sitetitle|website title|name site|name website|name your site|name your website|"
     "link name|linkname|link title|linktitle|link text|linktext|anchor|anchor text|page title|seitenname|"
     "webseitenname|name webseite|website titel|nom site|titre site|nombre sitio|nombre web|nombre pagina|"
     "titulo sitio|nome site|nome sito|titolo sito|naam website|naam site|nazwa strony|nazwa serwisu|"
     "tytul strony|название сайта"},
    {TSmartValue::URL, 0, 0,
     "url|*url|url*|uri|website url|site url|web address|website address|site address|address site|"
     "address website|internet address|web page|webpage|homepage|home page|link url|linkurl|siteurl|weburl|"
     "webadresse|internetadresse|adresse url|adresse site|adresse web|url site|url sitio|direccion web|"
     "direccion url|pagina web|indirizzo web|indirizzo sito|url sito|webadres|internetadres|adres url|"
     "adres strony|adres www|www|endereco site|endereco web|адрес сайта|http|https"},
    {TSmartValue::URL, Weak, 1, "link|ссылка|enlace|lien"},
    {TSmartValue::URL, Site | Weak, 1, "website|web site|site|sitio|sito|webseite|webpagina|strona|сайт|site web|"
                                       "sitio web|strona www"},
    // A link back outweighs the address words it comes with ("reciprocal link URL").
    {TSmartValue::RecpURL, 0, 6,
     "recip*|recp*|reciprocal|recurl|rcurl|backlink*|linkback|returnlink|gegenlink|rucklink|linkterug|tegenlink"},
    {TSmartValue::RecpURL, 0, 6,
     "rec url|back link|link back|return link|reciprocal link|reciprocal url|link to us|our link|linking page|"
     "link location|link page|partner page|lien retour|url retour|lien reciproque|enlace reciproco|enlace retorno|"
     "url reciproca|link reciproco|link ritorno|url reciproco|link terug|wederkerige link|link zwrotny|"
     "link zwrotnego|обратная ссылка|link retorno|url retorno"},
    {TSmartValue::Description, 0, 0,
     "description|desc*|*desc|summary|about|about site|about your site|site description|short description|"
     "beschreibung|kurzbeschreibung|seitenbeschreibung|omschrijving|beschrijving|opis|opis strony|описание|resume|"
     "meta description|intro|introduction"},
    {TSmartValue::Keywords, 0, 0,
     "keywords|keyword|keyw*|*keywords|tags|tag|meta keywords|metakey|metakeywords|schlusselworter|schlusselwort|"
     "stichworter|stichwort|suchbegriffe|mots cles|mot cles|mots clefs|palabras clave|palabras claves|"
     "parole chiave|trefwoorden|zoekwoorden|slowa kluczowe|palavras chave|ключевые слова"},

    // Things the project does not hold.
    {TSmartValue::None, Veto, 0,
     "facebook|twitter|linkedin|instagram|pinterest|youtube|tiktok|social|myspace|google plus|gplus|xing|vk|"
     "vkontakte|telegram|whatsapp|skype|icq|msn"},
    {TSmartValue::None, Veto, 0,
     "image|img|images|banner|banners|button|logo|icon|favicon|avatar|thumbnail|thumb|screenshot|photo|picture|pic|"
     "gif|jpg|png|bild|grafik|banniere|imagen|immagine|afbeelding|obrazek|grafika|foto|imagem|картинка|баннер|"
     "логотип"},
    {TSmartValue::None, Veto, 0, "rss|feed|feeds|atom|xml|podcast|sitemap|video|videos|vimeo|clip|видео"},
    {TSmartValue::None, Veto, 0,
     "deep|deeplink|deeplinks|deep link|extra|additional|another|second|more links|subpage|sub page|inner page|"
     "alternate|alternative|zusatzlich|weitere|weiterer|supplementaire|autre|adicional|otro|aggiuntivo|altro|"
     "dodatkowy|inny|дополнительный"},
    {TSmartValue::None, Veto, 0,
     "phone|telephone|tel|fax|mobile|cell|cellphone|handy|telefon|telefax|telefono|movil|celular|cellulare|"
     "telefoon|mobiel|telefone|gsm|телефон|факс"},
    {TSmartValue::None, Veto, 0,
     "address 2|address line 2|addr 2|line 2|street 2|adresszusatz|complement|complement adresse|suite|apt|"
     "apartment|address line 3|line 3"},
    {TSmartValue::None, Veto, 0,
     "coupon|promo|promo code|promotion|voucher|discount|gutschein|rabatt|cupon|sconto|korting|kortingscode|kupon|"
     "rabat"},
    {TSmartValue::None, Veto, 0,
     "ip|ip address|paypal|card|credit card|iban|vat|tax|birthday|birth|age|gender|sex|country|land|pays|pais|"
     "paese|kraj|страна|category|categories|kategorie|categorie|categoria|kategoria|рубрика|job title|job|"
     "position|salutation|anrede|civilite|subject|betreff|sujet|asunto|oggetto|onderwerp|temat|тема|message|"
     "comment|comments|notes|note|remarks|nachricht|kommentar|commentaire|mensaje|comentario|messaggio|bericht|"
     "opmerking|wiadomosc|komentarz|сообщение|search|suche|recherche|buscar|cerca|zoeken|szukaj|поиск|q"},
    {TSmartValue::None, Veto | Captcha, 0,
     "captcha|captcha*|*captcha|security code|securitycode|seccode|verification code|verify code|vcode|code|"
     "image code|spam|antispam|anti spam|human|robot|question|security question|answer|math|sum|turing|"
     "sicherheitscode|prufcode|spamschutz|sicherheitsfrage|code securite|code verification|codigo seguridad|"
     "codigo verificacion|codigo|codice|codice sicurezza|codice verifica|beveiligingscode|controlecode|"
     "verificatiecode|kod|kod weryfikacyjny|kod obrazka|код|проверочный код"},
};

struct TEntry {
    std::vector<QString> Words; // "*" kept at a word's start or end
    TSmartValue Value;
    int Flags;
    int Weight;
};

bool WordMatches(const QString& pattern, const QString& word)
{
    if (pattern.size() > 1 && pattern.endsWith(QLatin1Char('*')))
        return word.size() >= pattern.size() - 1 && word.startsWith(QStringView(pattern).chopped(1));
    if (pattern.size() > 1 && pattern.startsWith(QLatin1Char('*')))
        return word.size() >= pattern.size() - 1 && word.endsWith(QStringView(pattern).sliced(1));
    return pattern == word;
}

bool IsWildcard(const QString& pattern)
{
    return pattern.size() > 1 && (pattern.startsWith(QLatin1Char('*')) || pattern.endsWith(QLatin1Char('*')));
}

// The vocabulary, read once: entries filed under their first word, and the
// few that start with a wildcard word kept apart.
struct TVocabularyIndex {
    std::unordered_map<QString, std::vector<TEntry>> ByFirstWord;
    std::vector<TEntry> Wild;

    TVocabularyIndex()
    {
        for (const TVocabularyGroup& group : Vocabulary) {
            for (const QString& phrase : QString::fromUtf8(group.Phrases).split(QLatin1Char('|'))) {
                TEntry entry{{}, group.Value, group.Flags, group.Weight};
                // Each word goes through the same folding as the page's text.
                int weight = 0;
                for (const QString& part : phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const bool wild = IsWildcard(part);
                    QString core = part;
                    core.remove(QLatin1Char('*'));
                    for (QString w : Words(core)) {
                        if (wild)
                            w = part.startsWith(QLatin1Char('*')) ? QLatin1Char('*') + w : w + QLatin1Char('*');
                        entry.Words.push_back(w);
                        weight += wild ? 1 : 2;
                    }
                }
                if (entry.Words.empty())
                    continue;
                if (entry.Weight == 0)
                    entry.Weight = weight;
                if (IsWildcard(entry.Words.front()))
                    Wild.push_back(std::move(entry));
                else
                    ByFirstWord[entry.Words.front()].push_back(std::move(entry));
            }
        }
    }
};

const TVocabularyIndex& Index()
{
    static const TVocabularyIndex index;
    return index;
}

// What one text (a name, a label, a hint) says of its element.
struct TReading {
    TSmartValue Value = TSmartValue::None;
    int Score = 0;
    int Flags = 0;
    int VetoScore = 0;
    bool CaptchaVeto = false;
    bool Confirm = false;     // "confirm", "repeat", ...
    bool Numbered = false;    // ends in a number from 2 up: a second slot of its kind
    bool Decided() const { return Value != TSmartValue::None; }
    bool Vetoed() const { return VetoScore > 0 && VetoScore >= Score; }
};

bool IsConfirmWord(const QString& w)
{
    static const std::set<QString> words = [] {
        std::set<QString> set;
        for (const char* c : {"confirm", "confirmation", "repeat", "again", "retype", "reenter", "verify", "bestatigen",
                              "bestatigung", "wiederholen", "wiederholung", "confirmer", "confirmez", "confirmar",
                              "confirme", "repetir", "repita", "conferma", "confermare", "ripeti", "ripetere",
                              "herhaal", "herhalen", "bevestig", "bevestigen", "powtorz", "potwierdz", "повторите",
                              "подтвердите", "подтверждение", "повтор"})
            set.insert(Words(QString::fromUtf8(c)).front());
        return set;
    }();
    return words.count(w) > 0;
}

TReading Read(const std::vector<QString>& words)
{
    TReading reading;
    if (words.empty())
        return reading;
    const TVocabularyIndex& index = Index();
    int bestEnd = -1;
    auto consider = [&](const TEntry& entry, size_t at) {
        if (at + entry.Words.size() > words.size())
            return;
        for (size_t k = 0; k < entry.Words.size(); ++k)
            if (!WordMatches(entry.Words[k], words[at + k]))
                return;
        if (entry.Flags & Weak) {
            // A weak word decides only a text that holds nothing else.
            for (size_t k = 0; k < words.size(); ++k) {
                const bool inside = k >= at && k < at + entry.Words.size();
                if (!inside && !FillerWords().count(words[k]))
                    return;
            }
        }
        const int end = static_cast<int>(at + entry.Words.size());
        if (entry.Flags & Veto) {
            if (entry.Weight > reading.VetoScore) {
                reading.VetoScore = entry.Weight;
                reading.CaptchaVeto = entry.Flags & Captcha;
            }
            return;
        }
        // The more specific entry wins; between equals the later one, since
        // a compound name's head comes last ("name_url", "owner_email").
        if (entry.Weight > reading.Score || (entry.Weight == reading.Score && end > bestEnd)) {
            reading.Value = entry.Value;
            reading.Score = entry.Weight;
            reading.Flags = entry.Flags;
            bestEnd = end;
        }
    };
    for (size_t at = 0; at < words.size(); ++at) {
        const auto found = index.ByFirstWord.find(words[at]);
        if (found != index.ByFirstWord.end())
            for (const TEntry& entry : found->second)
                consider(entry, at);
        for (const TEntry& entry : index.Wild)
            consider(entry, at);
        if (IsConfirmWord(words[at]))
            reading.Confirm = true;
    }
    // A single digit from 2 up ends a further slot's name ("url2", "Title 3");
    // longer numbers are the page's own counters ("first_name_1500").
    const QString& last = words.back();
    reading.Numbered = words.size() > 1 && last.size() == 1 && last[0] >= QLatin1Char('2') && last[0] <= QLatin1Char('9');
    return reading;
}

TReading ReadText(const std::string& text, bool asides)
{
    QString display = ToDisplay(text);
    if (asides)
        display = WithoutAsides(display);
    return Read(Words(display));
}

// ---- autocomplete ----

// The autocomplete token's value; `veto` when it names something the project does not hold.
TSmartValue AutocompleteValue(const std::string& attribute, bool& veto)
{
    veto = false;
    static const std::unordered_map<std::string, TSmartValue> known{
        {"name", TSmartValue::FullName},
        {"given-name", TSmartValue::FirstName},
        {"family-name", TSmartValue::LastName},
        {"username", TSmartValue::Username},
        {"current-password", TSmartValue::Password},
        {"new-password", TSmartValue::Password},
        {"email", TSmartValue::Email},
        {"url", TSmartValue::URL},
        {"street-address", TSmartValue::Address},
        {"address-line1", TSmartValue::Address},
        {"address-level2", TSmartValue::City},
        {"address-level1", TSmartValue::State},
        {"postal-code", TSmartValue::Zip},
        {"organization", TSmartValue::Organization},
    };
    static const std::set<std::string> notHeld{
        "honorific-prefix", "honorific-suffix", "additional-name", "nickname", "one-time-code",
        "organization-title", "address-line2", "address-line3", "address-level3", "address-level4",
        "country", "country-name", "cc-name", "cc-given-name", "cc-additional-name", "cc-family-name",
        "cc-number", "cc-exp", "cc-exp-month", "cc-exp-year", "cc-csc", "cc-type", "transaction-currency",
        "transaction-amount", "language", "bday", "bday-day", "bday-month", "bday-year", "sex", "photo",
        "tel", "tel-country-code", "tel-national", "tel-area-code", "tel-local", "tel-extension", "impp"};
    const std::string lower = AsciiLower(attribute);
    std::vector<std::string> tokens;
    size_t at = 0;
    while (at < lower.size()) {
        const size_t start = lower.find_first_not_of(" \t\n\r\f", at);
        if (start == std::string::npos)
            break;
        const size_t end = lower.find_first_of(" \t\n\r\f", start);
        tokens.push_back(lower.substr(start, end == std::string::npos ? std::string::npos : end - start));
        at = end == std::string::npos ? lower.size() : end;
    }
    for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
        const auto found = known.find(*it);
        if (found != known.end())
            return found->second;
        if (notHeld.count(*it) || it->rfind("tel-", 0) == 0) {
            veto = true;
            return TSmartValue::None;
        }
    }
    return TSmartValue::None;
}

// ---- one element ----

bool IsFreeText(const TFieldFacts& f)
{
    if (f.Tag == "textarea")
        return true;
    if (f.Tag != "input")
        return false;
    static const std::set<std::string> types{"", "text", "email", "url", "password", "search", "tel"};
    return types.count(f.Type) > 0;
}

bool LooksLikeAddress(const std::string& text)
{
    const std::string lower = AsciiLower(text);
    return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 || lower.rfind("www.", 0) == 0;
}

struct TJudged {
    TSmartValue Value = TSmartValue::None;
    bool Candidate = false;  // shown free text, open to a value
    bool Captcha = false;    // a security code the person must type
    bool Bare = false;       // decided by a bare "name" only
    bool SiteOrURL = false;  // decided by "website" only
    bool Confirm = false;    // repeats the field before it
};

TJudged Judge(const TFieldFacts& f)
{
    TJudged judged;
    if (!IsFreeText(f) || !f.Shown || f.Disabled || f.ReadOnly)
        return judged;
    // What the user typed stays; the page's own default does not count.
    if (!f.Value.empty() && f.Value != f.DefaultValue)
        return judged;
    judged.Candidate = true;

    bool autoVeto = false;
    const TSmartValue autoValue = AutocompleteValue(f.Autocomplete, autoVeto);
    TReading name = ReadText(f.Name, false);
    if (!name.Decided() && !name.Vetoed() && !f.ID.empty())
        name = ReadText(f.ID, false);
    const TReading label = ReadText(f.Label.empty() ? f.Before : f.Label, true);
    const TReading hint = ReadText(f.Placeholder + " " + f.Title, true);

    if (name.Vetoed() || label.Vetoed() || (hint.Vetoed() && !name.Decided() && !label.Decided())) {
        judged.Captcha = name.CaptchaVeto || label.CaptchaVeto || hint.CaptchaVeto;
        return judged;
    }
    if (autoVeto || f.Type == "tel")
        return judged;

    const TReading* chosen = nullptr;
    if (autoValue != TSmartValue::None) {
        judged.Value = autoValue;
    } else {
        if (name.Decided() && label.Decided())
            chosen = name.Score > label.Score ? &name : &label;
        else if (name.Decided())
            chosen = &name;
        else if (label.Decided())
            chosen = &label;
        else if (hint.Decided())
            chosen = &hint;
        if (chosen) {
            judged.Value = chosen->Value;
            judged.Bare = chosen->Flags & Bare;
            judged.SiteOrURL = chosen->Flags & Site;
            // "url2", "Title 3": a further slot of a kind the project fills once.
            if (chosen->Numbered && chosen->Value != TSmartValue::Email && chosen->Value != TSmartValue::Password)
                return TJudged{TSmartValue::None, true};
        }
    }
    judged.Confirm = name.Confirm || label.Confirm;

    // The kind of control has the last word on what may go in.
    if (f.Type == "email")
        judged.Value = TSmartValue::Email;
    else if (f.Type == "password")
        judged.Value = TSmartValue::Password;
    else if (judged.Value == TSmartValue::Password)
        judged.Value = TSmartValue::None; // the password goes only where the page hides what is typed
    else if (f.Type == "url" && judged.Value != TSmartValue::RecpURL)
        judged.Value = TSmartValue::URL;
    if (judged.Value != TSmartValue::URL
        || f.Type == "url" || LooksLikeAddress(f.DefaultValue) || LooksLikeAddress(f.Placeholder))
        judged.SiteOrURL = false;
    if (judged.Value != TSmartValue::FullName)
        judged.Bare = false;
    return judged;
}

std::string CleanLabel(const TFieldFacts& f)
{
    for (const std::string* source : {&f.Label, &f.Before, &f.Placeholder, &f.Title, &f.Name}) {
        QString text = WithoutAsides(ToDisplay(*source)).simplified();
        while (!text.isEmpty() && (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('*'))))
            text = text.chopped(1).trimmed();
        while (text.startsWith(QLatin1Char('*')))
            text = text.mid(1).trimmed();
        if (text.isEmpty())
            continue;
        if (text.size() > 40)
            text = text.left(39).trimmed() + QStringLiteral("…");
        return FromDisplay(text);
    }
    return {};
}

} // namespace

std::string SmartValueOf(const TDProject& project, TSmartValue value)
{
    switch (value) {
    case TSmartValue::None: return {};
    case TSmartValue::FullName: {
        if (project.FirstName.empty() || project.LastName.empty())
            return project.FirstName + project.LastName;
        return project.FirstName + " " + project.LastName;
    }
    case TSmartValue::FirstName: return project.FirstName;
    case TSmartValue::LastName: return project.LastName;
    case TSmartValue::Username: return project.Username;
    case TSmartValue::Password: return project.Password;
    case TSmartValue::Email: return project.Email;
    case TSmartValue::Address: return project.Address;
    case TSmartValue::City: return project.City;
    case TSmartValue::State: return project.State;
    case TSmartValue::Zip: return project.Zip;
    case TSmartValue::Organization: return project.ProjName;
    case TSmartValue::Title: return FirstLine(project.Titles);
    case TSmartValue::URL: return project.MainURL;
    case TSmartValue::RecpURL: return project.RecpURL;
    case TSmartValue::Description: return FirstLine(project.Description);
    case TSmartValue::Keywords: return FirstLine(project.Keywords);
    }
    return {};
}

TSmartPlan PlanSmartFill(const TDProject& project, const std::vector<TFieldFacts>& fields, int formCount)
{
    TSmartPlan plan;
    plan.FormCount = formCount;
    std::vector<TJudged> judged;
    judged.reserve(fields.size());
    for (const TFieldFacts& f : fields)
        judged.push_back(Judge(f));

    // The open fields of each form in page order: neighbours are read there.
    std::map<int, std::vector<size_t>> byForm;
    for (size_t i = 0; i < fields.size(); ++i)
        if (judged[i].Candidate)
            byForm[fields[i].Form].push_back(i);

    for (auto& [form, members] : byForm) {
        auto holds = [&](TSmartValue value, bool (*also)(const TJudged&)) {
            return std::any_of(members.begin(), members.end(),
                               [&](size_t i) { return judged[i].Value == value && also(judged[i]); });
        };
        auto any = [](const TJudged&) { return true; };
        // "Website" beside a URL field is the site's name; alone, its address.
        const bool hasURL = holds(TSmartValue::URL, [](const TJudged& j) { return !j.SiteOrURL; });
        for (size_t i : members)
            if (judged[i].SiteOrURL)
                judged[i].Value = hasURL ? TSmartValue::Title : TSmartValue::URL;
        // A bare "name" in a form that also asks for a first name is the
        // surname, and the other way round ("Nom" and "Prénom", "Nome" and "Cognome").
        const bool hasFirst = holds(TSmartValue::FirstName, any);
        const bool hasLast = holds(TSmartValue::LastName, any);
        for (size_t i : members)
            if (judged[i].Bare && (hasFirst != hasLast)) {
                judged[i].Value = hasFirst ? TSmartValue::LastName : TSmartValue::FirstName;
                judged[i].Bare = false;
            }
        // A bare "name" right beside the site's address, in a form with no
        // title field, is the site's name.
        const bool hasTitle = holds(TSmartValue::Title, any);
        for (size_t k = 0; k < members.size(); ++k) {
            if (!judged[members[k]].Bare || hasTitle)
                continue;
            const bool before = k + 1 < members.size() && judged[members[k + 1]].Value == TSmartValue::URL;
            const bool after = k > 0 && judged[members[k - 1]].Value == TSmartValue::URL;
            if (before || after)
                judged[members[k]].Value = TSmartValue::Title;
        }
        // A confirmation repeats the field before it.
        for (size_t k = 1; k < members.size(); ++k) {
            TJudged& j = judged[members[k]];
            if (j.Confirm && j.Value == TSmartValue::None)
                j.Value = judged[members[k - 1]].Value;
        }
    }

    // The form a person would fill is the one that asks most of what the
    // project holds; the others (log-in boxes, newsletters, searches) stay.
    std::map<int, int> decided;
    for (size_t i = 0; i < fields.size(); ++i)
        if (judged[i].Value != TSmartValue::None)
            ++decided[fields[i].Form];
    int best = 0;
    for (const auto& [form, count] : decided)
        if (count > best) {
            best = count;
            plan.Form = form;
        }

    plan.Decisions.resize(fields.size(), TSmartValue::None);
    std::set<std::string> listedGroups;
    for (size_t i = 0; i < fields.size(); ++i) {
        const TFieldFacts& f = fields[i];
        if (f.Form != plan.Form)
            continue;
        const TJudged& j = judged[i];
        bool leftForUser = false;
        if (j.Value != TSmartValue::None) {
            plan.Decisions[i] = j.Value;
            const std::string value = SmartValueOf(project, j.Value);
            if (value.empty())
                leftForUser = true;
            else
                plan.Writes.push_back({static_cast<int>(i), value, f.Value});
        } else if (f.Shown && !f.Disabled) {
            const bool emptyText = IsFreeText(f) && (f.Value.empty() || f.Value == f.DefaultValue);
            leftForUser = j.Captcha || f.Tag == "select" || (f.Required && (emptyText || !IsFreeText(f)));
        }
        // Radio buttons of one group count once.
        if (leftForUser && f.Type == "radio" && !listedGroups.insert(f.Name).second)
            leftForUser = false;
        if (leftForUser) {
            const std::string label = CleanLabel(f);
            if (!label.empty())
                plan.LeftForUser.push_back(label);
        }
    }
    return plan;
}

std::string SmartFillMessage(const std::string& projectName, const TSmartPlan& plan, int written)
{
    if (plan.FormCount == 0)
        return "No form on this page";
    if (plan.Writes.empty() || written == 0)
        return "Nothing on this page matched " + projectName;
    std::string message = "Filled " + std::to_string(written) + (written == 1 ? " field" : " fields") + " from "
                          + projectName;
    if (!plan.LeftForUser.empty()) {
        constexpr size_t Shown = 4;
        message += "; left for you: ";
        for (size_t i = 0; i < plan.LeftForUser.size() && i < Shown; ++i)
            message += (i ? ", " : "") + plan.LeftForUser[i];
        if (plan.LeftForUser.size() > Shown)
            message += " and " + std::to_string(plan.LeftForUser.size() - Shown) + " more";
    }
    return message;
}
