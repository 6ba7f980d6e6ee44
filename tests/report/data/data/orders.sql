CREATE TABLE Customer (CustNo BIGINT PRIMARY KEY, Company VARCHAR(30));
CREATE TABLE Orders (OrderNo BIGINT PRIMARY KEY, CustNo BIGINT, AmountPaid CURRENCY);
INSERT INTO Customer VALUES (1, 'Kaktus'), (2, 'Lipa');
INSERT INTO Orders VALUES (1001, 1, 120.5), (1002, 2, 99.99), (1003, 1, 2500.125), (1004, 1, 15),
                          (1005, 2, 1234.5678);
