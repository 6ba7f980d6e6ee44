#!/usr/bin/env python3
"""Writes a grammar document (one line of XML) from its rule notation.

Usage: gengrammar.py NAME.grammar [...]   writes NAME.xml beside each input.

Notation file lines:
  language NAME                 the language name (root attribute text)
  parser SETTING "VALUE"        one lexer setting, in document order
  keywords WORD WORD ...        the reserved words, in document order
  error errN "TEXT"             one syntax-error text
  type ALIAS TYPE               one type-name alias
  rule NAME(ATTRS) := CONTENT   one rule; CONTENT "(nothing)" for an empty rule
Lines starting with "#" are comments.
"""
import re
import sys

TOKEN = re.compile(r'\s*(?:(?P<str>"[^"]*")|(?P<word>[A-Za-z_][A-Za-z0-9_]*|\d+)|(?P<punct>:=|[(){}|,=]))')


def escape(value):
    return (value.replace('&', '&#38;').replace('<', '&#60;')
            .replace('>', '&#62;').replace('"', '&#34;'))


def tokenize(text):
    pos, out = 0, []
    while pos < len(text):
        if text[pos:].strip() == '':
            break
        m = TOKEN.match(text, pos)
        if not m:
            raise SystemExit(f'cannot read notation at: {text[pos:]!r}')
        out.append(m.group(m.lastgroup) if m.lastgroup != 'str' else ('S', m.group('str')[1:-1]))
        pos = m.end()
    return out


class Reader:
    def __init__(self, tokens):
        self.t, self.i = tokens, 0

    def peek(self):
        return self.t[self.i] if self.i < len(self.t) else None

    def take(self, expected=None):
        tok = self.peek()
        if expected is not None and tok != expected:
            raise SystemExit(f'expected {expected!r}, found {tok!r}')
        self.i += 1
        return tok

    def attrs(self):
        """(ATTR, ...) -> list of (name, value)."""
        out = []
        self.take('(')
        while self.peek() != ')':
            tok = self.take()
            if isinstance(tok, tuple):
                out.append(('text', tok[1]))
            else:
                self.take('=')
                val = self.take()
                out.append((tok, val[1] if isinstance(val, tuple) else val))
            if self.peek() == ',':
                self.take()
        self.take(')')
        return out

    def element(self):
        kind = self.take()
        attrs = self.attrs() if self.peek() == '(' else []
        children = None
        if self.peek() == '{':
            self.take()
            children = []
            while self.peek() != '}':
                if self.peek() == '|':
                    self.take()
                children.append(self.element())
            self.take('}')
        return kind, attrs, children


def xml_element(kind, attrs, children):
    head = kind + ''.join(f' {n}="{escape(v)}"' for n, v in attrs)
    if not children:
        return f'<{head}/>'
    return f'<{head}>' + ''.join(xml_element(*c) for c in children) + f'</{kind}>'


def rule_xml(line):
    name_part, content = line.split(' := ', 1)
    r = Reader(tokenize(name_part))
    name = r.take()
    attrs = r.attrs() if r.peek() == '(' else []
    children = []
    if content.strip() != '(nothing)':
        r = Reader(tokenize(content))
        while r.peek() is not None:
            children.append(r.element())
    return xml_element(name, attrs, children)


def quoted(rest):
    return rest[rest.index('"') + 1:rest.rindex('"')]


def convert(path):
    lang, parser, keywords, errors, types, rules = '', [], [], [], [], []
    for line in open(path, encoding='utf-8').read().split('\n'):
        if not line or line.startswith('#'):
            continue
        word, rest = line.split(' ', 1)
        if word == 'language':
            lang = rest
        elif word == 'parser':
            parser.append(f'<{rest.split(" ", 1)[0]} text="{escape(quoted(rest))}"/>')
        elif word == 'keywords':
            keywords = [f'<{k}/>' for k in rest.split()]
        elif word == 'error':
            errors.append(f'<{rest.split(" ", 1)[0]} text="{escape(quoted(rest))}"/>')
        elif word == 'type':
            alias, target = rest.split()
            types.append(f'<{alias} type="{escape(target)}"/>')
        elif word == 'rule':
            rules.append(rule_xml(rest))
        else:
            raise SystemExit(f'{path}: unknown line {line!r}')
    doc = ('<?xml version="1.0"?>' + f'<language text="{escape(lang)}">'
           + '<parser>' + ''.join(parser)
           + '<keywords>' + ''.join(keywords) + '</keywords>'
           + '<errors>' + ''.join(errors) + '</errors></parser>'
           + ('<types>' + ''.join(types) + '</types>' if types else '<types/>')
           + ''.join(rules) + '</language>')
    with open(path[:-len('.grammar')] + '.xml', 'w', encoding='utf-8') as f:
        f.write(doc + '\n')


if __name__ == '__main__':
    for p in sys.argv[1:]:
        convert(p)
